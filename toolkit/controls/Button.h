// Push buttons, optionally drawn by the toolkit with a picture beside the
// caption.
#pragma once

#include "toolkit/core/Element.h"

namespace OrvoUtility {

class Drawing;

class Button : public Child, public CommandElement, public OwnerDrawHook {
public:
    // The caption is narrow text; the button starts 80 x 30.
    Button(GUIElement *parentElement, const NarrowText &caption);

    bool ownerDraw = false; // the toolkit draws the button itself
    HBITMAP bitmapEnabled = nullptr;
    HBITMAP bitmapDisabled = nullptr;
    HICON iconEnabled = nullptr;  // 32 x 32, used when the matching bitmap is missing
    HICON iconDisabled = nullptr; // the pictures belong to whoever set them

    // Creates the button window; the button counts as created even when the
    // window could not be made.
    void Create() override;

    // Draws the picture of the current enabled state at the left of the item
    // and returns the x offset where the caption starts, 0 without picture.
    virtual int DrawPicture(Drawing &drawing, const RECT &item, bool pressed);

    // Paints an owner-drawn button in the colours its parent left in the
    // item's context.
    void PaintItem(const DRAWITEMSTRUCT &item) override;
};

} // namespace OrvoUtility
