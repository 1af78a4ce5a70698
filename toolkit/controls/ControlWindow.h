// Steps that every native control of the toolkit shares when it makes its
// window: a fresh element id, the child window itself, and the hand-over of
// its messages to the toolkit's window procedure.
#pragma once

#include <windows.h>

namespace OrvoUtility {

class GUIElement;

// Takes the next element id (also the child id) and creates a child window of
// the given class inside the parent element's window, storing the handle in
// `window`. A failed creation leaves `window` empty and drops the error code.
void MakeControlWindow(GUIElement &element, const wchar_t *windowClass, DWORD style,
                       DWORD extendedStyle);

// Routes the control's messages through the toolkit's window procedure and
// keeps the control's own procedure in `controlProc`. Does nothing without a
// window.
void SubclassControl(GUIElement &element);

// The last steps of a control's creation: its tooltip and, when one is set,
// its font (sent with redraw).
void AttachTooltipAndFont(GUIElement &element);

} // namespace OrvoUtility
