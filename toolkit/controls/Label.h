// Static controls: a line of text, and a picture loaded from a bitmap
// resource of the program or from a bitmap file.
#pragma once

#include "toolkit/core/Element.h"

namespace OrvoUtility {

class Label : public Child {
public:
    // The caption is narrow text; the label starts 80 x 30.
    Label(GUIElement *parentElement, const NarrowText &caption);

    bool border = false;
    bool rightAlign = false;
    bool centered = false; // ignored when rightAlign is set

    // Creates the static window; the label counts as created even when the
    // window could not be made.
    void Create() override;
};

class Image : public Child {
public:
    // A picture of the bitmap resource resourceId of the program's module.
    Image(GUIElement *parentElement, std::int32_t resourceId);
    ~Image() override; // deletes the loaded bitmap

    HBITMAP imageBitmap = nullptr; // owned: deleted when replaced or destroyed
    NarrowText imageFile;          // used when resourceId is -1
    std::int32_t resourceId = -1;
    bool border = false;

    // Uses a bitmap file from now on; with a window, loads it at once.
    void SetImageFile(const NarrowText &path);
    // Uses a bitmap resource from now on; with a window and an id above 0,
    // loads it at once.
    void SetImageResource(std::int32_t newResourceId);

    // Creates the static window and loads the picture into it. Only a window
    // that was made counts as created, so a later Create tries again.
    void Create() override;

private:
    // Deletes the old bitmap and shows the new one (none leaves it empty).
    void ShowBitmap(HBITMAP bitmap);
};

} // namespace OrvoUtility
