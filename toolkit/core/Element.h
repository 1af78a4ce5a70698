// The element model shared by every window object of the toolkit.
//
// An element keeps its state (text, position, size, colours, flags) whether or
// not its native window exists, and is made in two steps: the constructor only
// stores, the virtual Create makes the native window from what was stored.
// Every setter stores its value and, once the element is created, also applies
// it to the window. Window messages reach the element through the one window
// procedure (WindowProc.h), which calls the virtual operations below; their
// base versions call the callback fields, which the owning form sets.
//
// Every element lives in one program-wide registry, in construction order; the
// window procedure looks elements up there by window handle, by id and by menu
// command. Element ids come from one program-wide counter starting at 0: an
// element that needs an id raises the counter and takes the new value, so ids
// start at 1 and are unique within a run.
#pragma once

#include "toolkit/core/Text.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace OrvoUtility {

class GUIElement;
class FontSpec;

// Colour value meaning "no colour" wherever a colour is optional.
inline constexpr COLORREF NoColor = static_cast<COLORREF>(-1);

// A notification from a header control, passed by value to HandleListEvent.
struct ListEvent {
    std::int32_t code = 0;             // 1 column width changed, 2 column clicked, 3 right click
    std::vector<std::int32_t> numbers; // column index; for code 1 also the new width
    std::vector<NarrowText> texts;     // empty for all three codes
};

// Callback types. The first argument is always the element the event is about.
using CreatedHandler = std::function<void(GUIElement *element, HWND window)>;
using ButtonHandler = std::function<void(GUIElement *element, HWND window, int x, int y)>;
using KeyHandler = std::function<void(GUIElement *element, int key)>;
using CharHandler = std::function<bool(GUIElement *element, wchar_t code)>; // false consumes
using ElementHandler = std::function<void(GUIElement *element)>;
using QueryHandler = std::function<bool(GUIElement *element)>; // false refuses
using MoveHandler = std::function<void(GUIElement *element, int x, int y)>;

class GUIElement {
public:
    // Stores the initial values and appends the element to the registry.
    explicit GUIElement(HINSTANCE instance);
    // Removes the element from the registry. It does not destroy the window
    // (forms do that for themselves) nor delete other elements. A native
    // control whose window outlives its element gets its own window
    // procedure back, so the window keeps working without the element.
    virtual ~GUIElement();

    GUIElement(const GUIElement &) = delete;
    GUIElement &operator=(const GUIElement &) = delete;

    // --- fields, in this order ---
    bool visible = true;     // set by code that shows a form; not read by the toolkit
    bool destroyed = false;  // the window has been destroyed (HandleDestroyed)
    bool waitCursor = false; // wait cursor while the mouse is over the element
    bool handCursor = false; // hand cursor while the mouse is over the element
    HWND tooltipWindow = nullptr;
    HWND window = nullptr;
    HINSTANCE instance = nullptr;
    WNDCLASSW windowClass{};  // filled and registered by elements that own a class
    FontSpec *font = nullptr; // not owned: the creator keeps it alive
    std::int32_t width = 100;
    std::int32_t height = 50;
    std::int32_t x = 100; // outer position, relative to the parent's client area
    std::int32_t y = 100; // (the screen for forms)
    bool created = false; // Create has run
    COLORREF backColor = NoColor;
    WideText text;
    WideText focusText;             // the text as it was when the element last gained the focus
    bool backgroundPainted = false; // backColor was painted by SetBackColor
    bool enabled = true;
    std::int32_t id = 0;
    NarrowText kind; // "form", "button", "label", "image", "panel", "menu", ...
    NarrowText tooltip;
    GUIElement *parent = nullptr;  // not owned
    WNDPROC controlProc = nullptr; // a subclassed native control's own procedure
    CreatedHandler onCreated;
    bool createdNotified = false; // onCreated has run

    // Callbacks; an unset callback is skipped, and an unset onChar or
    // onCloseQuery counts as true.
    ButtonHandler onLeftButtonUp;
    ButtonHandler onLeftButtonDown;
    ButtonHandler onLeftDoubleClick;
    ButtonHandler onRightButtonUp;
    ButtonHandler onRightButtonDown;
    ButtonHandler onRightDoubleClick;
    KeyHandler onKeyUp;
    KeyHandler onKeyDown;
    CharHandler onChar;
    ElementHandler onMoved;
    ElementHandler onResized;
    ElementHandler onPaint;
    QueryHandler onCloseQuery;
    ElementHandler onDestroyed;
    ElementHandler onFocusGained;
    ElementHandler onFocusLost;
    ElementHandler onActivated;
    ElementHandler onDeactivated;
    ElementHandler onTextChanged;
    MoveHandler onMouseMove;
    ElementHandler onMouseHover;
    ElementHandler onMouseLeave;

    // --- virtual operations, in this order ---
    // "With a window" below means: created, with a window handle.

    // Stores; with a window resizes it in place, updates the tooltip, redraws.
    virtual void SetSize(std::int32_t newWidth, std::int32_t newHeight);
    // Stores; with a window paints the colour over the client area at once
    // and sets backgroundPainted.
    virtual void SetBackColor(COLORREF color);
    virtual void SetEnabled(bool enable);
    virtual void SetText(const WideText &newText);
    virtual void SetText(const NarrowText &newText); // widens, then the wide SetText
    virtual void HandleLeftButtonUp(int atX, int atY);
    virtual void HandleLeftButtonDown(int atX, int atY);
    virtual void HandleLeftDoubleClick(int atX, int atY);
    virtual void HandleRightButtonUp(int atX, int atY);
    virtual void HandleRightButtonDown(int atX, int atY);
    virtual void HandleRightDoubleClick(int atX, int atY);
    virtual void HandleKeyUp(int key);
    virtual void HandleKeyDown(int key);
    virtual bool HandleChar(wchar_t code); // false: the character goes no further
    virtual void HandleMouseMove(int atX, int atY);
    virtual void HandleMouseHover();
    virtual void HandleMouseLeave();
    virtual void Focus();
    virtual void HandleMoved(); // RefreshPosition, then onMoved
    virtual void HandleResized();
    virtual void HandlePaint(); // repaints a painted background, then onPaint
    // Brush for a colour request from a control inside this element's window;
    // 0 lets the system choose.
    virtual HBRUSH HandleControlColor(HDC context);
    virtual bool HandleCloseQuery(); // false refuses to close
    virtual void HandleDestroyed();  // onDestroyed, then sets destroyed
    virtual void HandleFocusGained();
    virtual void HandleFocusLost(); // onFocusLost, then onTextChanged if the text changed
    virtual void HandleActivated();
    virtual void HandleDeactivated();
    // Stores the handle when none is stored yet; runs onCreated only once.
    virtual void HandleCreated(HWND newWindow);
    virtual void Redraw();
    virtual bool GetWaitCursor();
    virtual bool GetHandCursor();
    virtual void SetWaitCursor(bool on);
    virtual void SetHandCursor(bool on);
    virtual void HandleShown();
    virtual void HandleListEvent(ListEvent event);
    // Makes the native window from the stored state; every concrete class
    // implements it (take an id, create, subclass native controls, set created,
    // AttachTooltip, send the font).
    virtual void Create() = 0;

    // --- plain operations ---

    // With a window reads the window text back into text first.
    WideText GetText();
    NarrowText GetNarrowText();
    // With a window refreshes x, y from the outer rectangle (in the parent's
    // client coordinates when there is a parent); returns them.
    POINT RefreshPosition();
    // With a window refreshes width, height from the outer rectangle.
    SIZE RefreshSize();
    // Adds a tooltip control showing tooltip for the owner window; nothing
    // when tooltip is empty or owner is none.
    void AttachTooltip(HWND owner);
    void UpdateTooltip();

    // Created and has a window handle.
    bool HasWindow() const { return created && window != nullptr; }
};

// Marks elements that live inside a parent element (all controls).
class Child : public GUIElement {
public:
    using GUIElement::GUIElement;
};

// Second base of the elements that raise commands (buttons, menu entries).
// The window procedure reaches it from the element with dynamic_cast.
class CommandElement {
public:
    ElementHandler onCommand;

protected:
    ~CommandElement() = default;
};

// --- hooks the window procedure uses for control behaviour ---
//
// The core does not know the control classes. A control that needs more than
// the element's virtual operations also derives from one of these small
// interfaces; the window procedure finds it with dynamic_cast on the element.

// A menu entry. FindMenuItemById only returns elements with this part.
// On a menu command the window procedure calls MenuCommandStep (a checkable
// entry flips its check mark there), then the entry's onCommand when set.
class MenuEntryHook {
public:
    virtual void MenuCommandStep() = 0;

protected:
    ~MenuEntryHook() = default;
};

// A button that paints itself. On WM_DRAWITEM the window procedure looks the
// item's control id up with FindById; when the item type is ODT_BUTTON and
// the element has this part, PaintItem runs and the message counts as handled.
class OwnerDrawHook {
public:
    virtual void PaintItem(const DRAWITEMSTRUCT &item) = 0;

protected:
    ~OwnerDrawHook() = default;
};

// A timer. On WM_TIMER the window procedure looks the timer id up with
// FindById; when the element has this part, Tick runs (which calls onTick
// when set). Nothing else happens for the message.
class TickHook {
public:
    virtual void Tick() = 0;

protected:
    ~TickHook() = default;
};

// A panel with a window class of its own. The window procedure uses it for:
// - WM_HSCROLL / WM_VSCROLL: ScrollByBar(vertical, request code). True when
//   the panel has that bar and handled the request: the message then returns
//   0, and after a vertical one the panel becomes the remembered wheel panel.
//   False passes the message on.
// - WM_MOUSEWHEEL: the element of the receiving window when it is a panel,
//   else the remembered wheel panel (WindowProc.h), gets ScrollByWheel(delta).
//   True (the panel has a vertical bar and scrolled) returns 0.
// - WM_ACTIVATE of a panel window: the active panel bookkeeping.
// - WM_LBUTTONDOWN: a panel becomes the remembered wheel panel; a press on
//   anything else clears it.
// Colour requests need no hook: panels override HandleControlColor.
class PanelHook {
public:
    virtual bool ScrollByBar(bool vertical, int request) = 0;
    virtual bool ScrollByWheel(int delta) = 0;

protected:
    ~PanelHook() = default;
};

// --- registry and id counter ---

// The first element whose window is h. If there is none and the element
// registered last has no window yet, that element (so the messages a window
// gets while it is being created reach the element creating it); else none.
GUIElement *FindByWindow(HWND h);
// The first element in registry order whose id is the given one, or none.
GUIElement *FindById(std::int32_t id);
// The first menu entry (an element with a MenuEntryHook part) with that id.
GUIElement *FindMenuItemById(std::int32_t id);
// Every Child whose parent's window is h, in registry order.
std::vector<GUIElement *> ChildrenOf(HWND h);
// All live elements in construction order.
const std::vector<GUIElement *> &RegisteredElements();

// The current value of the id counter (the last id handed out; 0 at start).
std::int32_t CurrentIdCounter();
// Raises the counter by one and returns the new value.
std::int32_t TakeNextId();

} // namespace OrvoUtility
