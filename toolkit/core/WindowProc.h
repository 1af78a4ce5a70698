// The one window procedure of every toolkit window, the message loop and the
// list of elements deleted once the loop has ended.
//
// Form and panel window classes name WindowProc directly; native controls are
// subclassed to it right after creation, keeping their own procedure in the
// element's controlProc. WindowProc finds the element of the window
// (FindByWindow), turns the message into calls of its virtual operations and,
// unless a handler consumed it, passes it on: to controlProc when the element
// has one, else to DefWindowProcW. Control behaviour beyond the element's
// virtual operations goes through the hooks declared in Element.h
// (MenuEntryHook, OwnerDrawHook, TickHook, PanelHook, CommandElement).
//
// Everything here runs on the one thread that runs the message loop.
#pragma once

#include "toolkit/core/Element.h"

namespace OrvoUtility {

class Form;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the thread's message loop until the quit message, then deletes every
// element handed to DisposeAfterLoop, in order. With a main form whose
// dialogStyle is set, messages are first offered to IsDialogMessageW.
void RunMessageLoop(Form *mainForm);

// Sets an element aside to be deleted when the message loop has ended; the
// caller gives up ownership.
void DisposeAfterLoop(GUIElement *element);

// The window of the first form created; its destruction ends the loop.
HWND MainWindow();
void SetMainWindow(HWND window);

// The form and the panel that last became the foreground window.
Form *ActiveForm();
GUIElement *ActivePanel();

// The panel that receives the mouse wheel when the wheel's window is not a
// panel: the one last scrolled vertically or last pressed with the left
// button. Cleared by a left press elsewhere and by any form activation.
GUIElement *RememberedWheelPanel();
void SetRememberedWheelPanel(GUIElement *panel);

// Hover and leave tracking has been requested and has not ended yet.
bool MouseTracking();

// Called by the element destructor: forgets every reference the window
// procedure keeps to the element (active form or panel, wheel panel).
void ForgetElement(GUIElement *element);

} // namespace OrvoUtility
