// Edit controls.
#pragma once

#include "toolkit/core/Element.h"

namespace OrvoUtility {

class TextBox : public Child {
public:
    // Starts with the given text, 80 x 30.
    TextBox(GUIElement *parentElement, const NarrowText &initialText);

    std::int32_t maxLength = -1; // characters the user may type; -1 no limit
    bool multiLine = false;
    bool horizontalScrollBar = false;
    bool verticalScrollBar = false;
    bool readOnly = false;
    bool numbersOnly = false;
    bool password = false;
    bool lowerCase = false;
    bool upperCase = false; // wins over lowerCase
    bool rightAlign = false;
    bool centered = false; // ignored when rightAlign is set
    bool border = true;
    bool wordWrap = false; // a multi-line box breaks long lines instead of scrolling

    // The window style the flags above ask for.
    DWORD ComputeStyle() const;

    // Applies the flags to an existing window: the style, the read-only
    // state and the password character. Without a window it does nothing.
    void UpdateStyle();

    // Creates the edit window; the box counts as created even when the
    // window could not be made.
    void Create() override;
};

} // namespace OrvoUtility
