// Child windows of the toolkit's own making: a plain panel with a window
// class of its own, a frame that paints one tile of a strip bitmap, and a
// cell that paints a line of text, a marker and a picture.
#pragma once

#include "toolkit/core/Element.h"

#include <functional>

namespace OrvoUtility {

class PanelChildren;

using ScrollHandler = std::function<void(PanelChildren *panel, int delta)>;

class PanelChildren : public Child, public PanelHook {
public:
    explicit PanelChildren(GUIElement *parentElement);
    ~PanelChildren() override; // frees the colour brush

    NarrowText tag;                   // free text for the owner
    bool customColors = true;         // answer colour requests of the controls inside
    ScrollHandler onVerticalScroll;   // (panel, old - requested position)
    ScrollHandler onHorizontalScroll; // the same for the horizontal bar
    bool border = false;
    bool flatBorder = false; // with border: a plain line, no sunken edge
    bool verticalScrollBar = false;
    bool horizontalScrollBar = false;
    std::int32_t scrollMin = 0; // range of both bars
    std::int32_t scrollMax = 100;
    bool tabStop = true;
    HBRUSH colorBrush = nullptr;   // made for the last colour request; owned
    COLORREF textColor = NoColor;  // text colour of the controls inside
    COLORREF panelColor = NoColor; // their background; NoColor uses backColor
    bool floating = false;         // a top-level tool window without parent

    DWORD ComputeStyle() const;
    DWORD ComputeExtendedStyle() const;

    // Stores; with a window applies the new frame at once.
    void SetBorder(bool hasBorder, bool flat);
    // Stores; with a window gives the range to every bar, with a page of a
    // tenth of it.
    void SetScrollRange(std::int32_t minimum, std::int32_t maximum);

    // Colours for a control inside the panel.
    HBRUSH HandleControlColor(HDC context) override;
    // Registers the panel's own window class and makes the window.
    void Create() override;

    bool ScrollByBar(bool vertical, int request) override;
    bool ScrollByWheel(int delta) override;

protected:
    // Moves the bar to the requested position (the system keeps it in the
    // range), scrolls the contents by what it actually moved and tells the
    // handler what was asked.
    void ScrollTo(int bar, int oldPosition, int requested);
};

class ImageFrame : public PanelChildren {
public:
    // Shows the tile (column, row) of the strip; the tile is the size of the
    // frame's window. The strip is not owned.
    ImageFrame(GUIElement *parentElement, HBITMAP strip, std::int32_t column, std::int32_t row);

    bool transparent = true; // black pixels of the tile are left out
    HBITMAP bitmap = nullptr;
    std::int32_t tileColumn = 0;
    std::int32_t tileRow = 0;

    // Stores; with a window erases and repaints the frame.
    void SetTile(std::int32_t column, std::int32_t row);

    void HandlePaint() override;
};

class CellControl : public PanelChildren {
public:
    explicit CellControl(GUIElement *parentElement);

    HBITMAP picture = nullptr;     // not owned
    std::int32_t pictureAlign = 1; // 1 right, 2 centre, other left
    std::int32_t pictureWidth = 0; // 0 in either: natural size
    std::int32_t pictureHeight = 0;
    bool marker = false; // a "*" in the bottom-right corner
    bool bold = false;   // styles of the cell's own font
    bool underline = false;
    bool italic = false;
    NarrowText faceName = "Tahoma";
    std::int32_t fontSize = 14;
    std::int32_t textAlign = 2; // 0 left, 1 right, 2 centre
    COLORREF textColor = 0;     // of the text and the marker

    // Store; with a window erase and repaint the cell.
    void SetTextColor(COLORREF color);
    void SetTextAlign(std::int32_t alignment);

    void SetText(const WideText &newText) override;
    void SetText(const NarrowText &newText) override;
    void HandlePaint() override;

private:
    void Invalidate();
};

} // namespace OrvoUtility
