#include "toolkit/core/WindowProc.h"

#include "toolkit/core/Form.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace OrvoUtility {

namespace {

HWND mainWindow = nullptr;
HCURSOR waitCursorHandle = nullptr;
HCURSOR handCursorHandle = nullptr;
bool cursorsLoaded = false;
Form *activeForm = nullptr;
GUIElement *activePanel = nullptr;
GUIElement *wheelPanel = nullptr;
bool mouseTracking = false;
std::vector<GUIElement *> disposalList;

bool IsRegistered(GUIElement *element) {
    const auto &elements = RegisteredElements();
    return element != nullptr &&
           std::find(elements.begin(), elements.end(), element) != elements.end();
}

// The element that owns a window named in a message's parameters (a command's
// source control, a notifying control, the foreground window). Unlike the
// receiving window's lookup there is no fallback to the element being
// created: that window is never the one a message talks about, and a
// notification from a window without element must not reach a stranger.
GUIElement *OwnerOf(HWND h) {
    if (h == nullptr)
        return nullptr;
    for (GUIElement *candidate : RegisteredElements())
        if (candidate->window == h)
            return candidate;
    return nullptr;
}

PanelHook *AsPanel(GUIElement *element) {
    return dynamic_cast<PanelHook *>(element);
}

// Signed client coordinates of a mouse message.
int MouseX(LPARAM lParam) {
    return GET_X_LPARAM(lParam);
}
int MouseY(LPARAM lParam) {
    return GET_Y_LPARAM(lParam);
}

// A window counts as activated when it is the foreground window now. The
// deactivation message itself can arrive while the window still is the
// foreground one (the system switches afterwards): it never counts as an
// activation, or a form and its modal child would hand activation back and
// forth for ever.
void Activate(GUIElement *element, HWND window, WPARAM state) {
    const bool inFront = LOWORD(state) != WA_INACTIVE && GetForegroundWindow() == window;
    if (Form *form = dynamic_cast<Form *>(element)) {
        wheelPanel = nullptr;
        if (inFront) {
            if (activeForm != nullptr) {
                activeForm->UnregisterHotKeys();
                activeForm->HandleDeactivated();
            }
            if (activePanel != nullptr) {
                activePanel->HandleDeactivated();
                activePanel = nullptr;
            }
            form->RegisterHotKeys();
            form->HandleActivated();
            activeForm = form;
            // Hand activation on to the modal child. Some window systems
            // answer the move with a fresh activation of the owner; the guard
            // keeps that echo from handing over again and again.
            static bool handingOver = false;
            Form *child = form->modalChild;
            if (!handingOver && child != nullptr && child->window != nullptr &&
                form->window != nullptr) {
                handingOver = true;
                SetWindowPos(child->window, form->window, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
                handingOver = false;
            }
        } else {
            form->UnregisterHotKeys();
            form->HandleDeactivated();
        }
    } else if (AsPanel(element) != nullptr) {
        if (inFront) {
            if (activePanel != nullptr)
                activePanel->HandleDeactivated();
            element->HandleActivated();
            activePanel = element;
        } else {
            element->HandleDeactivated();
        }
    }
}

void TabToNext(GUIElement *element, HWND window) {
    HWND dialog = window;
    if (element != nullptr && dynamic_cast<Child *>(element) != nullptr &&
        element->parent != nullptr)
        dialog = element->parent->window;
    const bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    HWND next = GetNextDlgTabItem(dialog, window, backwards ? TRUE : FALSE);
    if (GUIElement *target = OwnerOf(next))
        target->Focus();
}

void RouteCommand(GUIElement *, WPARAM wParam, LPARAM lParam) {
    const HWND source = reinterpret_cast<HWND>(lParam);
    if (source == nullptr) {
        if (HIWORD(wParam) != 0)
            return; // an accelerator
        GUIElement *entry = FindMenuItemById(LOWORD(wParam));
        if (entry == nullptr)
            return;
        dynamic_cast<MenuEntryHook *>(entry)->MenuCommandStep();
        if (!IsRegistered(entry))
            return;
        if (auto *command = dynamic_cast<CommandElement *>(entry); command && command->onCommand)
            command->onCommand(entry);
        return;
    }
    GUIElement *control = OwnerOf(source);
    if (auto *command = dynamic_cast<CommandElement *>(control); command && command->onCommand)
        command->onCommand(control);
}

void RouteHotKey(GUIElement *element, WPARAM wParam) {
    Form *form = dynamic_cast<Form *>(element);
    if (form == nullptr)
        return;
    const WPARAM number = wParam;
    if (number < 1 || number > form->hotKeys.size())
        return;
    const HotKey entry = form->hotKeys[number - 1];
    HWND front = GetForegroundWindow();
    if (front == form->window) {
        if (entry.handler)
            entry.handler(form, entry.modifiers, entry.key);
        return;
    }
    Form *other = dynamic_cast<Form *>(OwnerOf(front));
    if (other == nullptr)
        return;
    for (const HotKey &candidate : other->hotKeys)
        if (candidate.modifiers == entry.modifiers && candidate.key == entry.key) {
            const HotKey chosen = candidate;
            if (chosen.handler)
                chosen.handler(other, chosen.modifiers, chosen.key);
            return;
        }
}

void RouteNotify(LPARAM lParam) {
    const auto *header = reinterpret_cast<const NMHDR *>(lParam);
    if (header == nullptr)
        return;
    GUIElement *source = OwnerOf(header->hwndFrom);
    if (source == nullptr)
        return;
    ListEvent event;
    switch (header->code) {
    case HDN_ITEMCHANGEDW: {
        const auto *change = reinterpret_cast<const NMHEADERW *>(lParam);
        event.code = 1;
        event.numbers.push_back(change->iItem);
        event.numbers.push_back(change->pitem != nullptr ? change->pitem->cxy : 0);
        break;
    }
    case HDN_ITEMCLICKW: {
        const auto *click = reinterpret_cast<const NMHEADERW *>(lParam);
        event.code = 2;
        event.numbers.push_back(click->iItem);
        break;
    }
    case NM_RCLICK:
        event.code = 3;
        break;
    default:
        return;
    }
    source->HandleListEvent(event);
}

// True when a panel scrolled and the message is done.
bool RouteScroll(GUIElement *element, UINT message, WPARAM wParam, LPARAM lParam) {
    GUIElement *target = element;
    if (lParam != 0 && LOWORD(wParam) == SB_ENDSCROLL)
        target = OwnerOf(reinterpret_cast<HWND>(lParam));
    PanelHook *panel = AsPanel(target);
    if (panel == nullptr)
        return false;
    const bool vertical = message == WM_VSCROLL;
    if (!panel->ScrollByBar(vertical, LOWORD(wParam)))
        return false;
    if (vertical && IsRegistered(target))
        wheelPanel = target;
    return true;
}

bool RouteWheel(GUIElement *element, WPARAM wParam) {
    GUIElement *target = AsPanel(element) != nullptr ? element : wheelPanel;
    PanelHook *panel = AsPanel(target);
    return panel != nullptr && panel->ScrollByWheel(GET_WHEEL_DELTA_WPARAM(wParam));
}

void TrackHover(HWND window) {
    if (mouseTracking)
        return;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = window;
    track.dwHoverTime = HOVER_DEFAULT;
    mouseTracking = TrackMouseEvent(&track) != FALSE;
}

} // namespace

HWND MainWindow() {
    return mainWindow;
}
void SetMainWindow(HWND window) {
    mainWindow = window;
}
Form *ActiveForm() {
    return activeForm;
}
GUIElement *ActivePanel() {
    return activePanel;
}
GUIElement *RememberedWheelPanel() {
    return wheelPanel;
}
void SetRememberedWheelPanel(GUIElement *panel) {
    wheelPanel = panel;
}
bool MouseTracking() {
    return mouseTracking;
}

void ForgetElement(GUIElement *element) {
    if (activeForm == element)
        activeForm = nullptr;
    if (activePanel == element)
        activePanel = nullptr;
    if (wheelPanel == element)
        wheelPanel = nullptr;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!cursorsLoaded) {
        waitCursorHandle = LoadCursorW(nullptr, IDC_WAIT);
        handCursorHandle = LoadCursorW(nullptr, IDC_HAND);
        cursorsLoaded = true;
    }
    GUIElement *element = FindByWindow(window);
    // Kept in case a handler deletes the element: the native control still
    // needs its own procedure for the rest of this message.
    const WNDPROC ownProc = element != nullptr ? element->controlProc : nullptr;

    switch (message) {
    case WM_CREATE:
        if (dynamic_cast<Form *>(element) != nullptr)
            element->HandleCreated(window);
        break;
    case WM_DESTROY:
        if (element != nullptr) {
            if (Form *form = dynamic_cast<Form *>(element))
                form->UnregisterHotKeys();
            element->HandleDestroyed();
        }
        if (window == mainWindow)
            PostQuitMessage(0);
        break;
    case WM_MOVE:
        if (element != nullptr)
            element->HandleMoved();
        break;
    case WM_SIZE:
        if (element != nullptr)
            element->HandleResized();
        break;
    case WM_ACTIVATE:
        if (element != nullptr)
            Activate(element, window, wParam);
        break;
    case WM_SETFOCUS:
        if (element != nullptr)
            element->HandleFocusGained();
        break;
    case WM_KILLFOCUS:
        if (element != nullptr)
            element->HandleFocusLost();
        break;
    case WM_PAINT:
        if (element != nullptr)
            element->HandlePaint();
        break;
    case WM_CLOSE:
        if (element != nullptr && !element->HandleCloseQuery())
            return 1;
        break;
    case WM_SHOWWINDOW:
        if (element != nullptr) {
            element->HandleShown();
            if (IsRegistered(element))
                element->HandleResized();
        }
        break;
    case WM_SETCURSOR:
        if (element != nullptr && LOWORD(lParam) == HTCLIENT) {
            if (element->GetHandCursor()) {
                SetCursor(handCursorHandle);
                return TRUE;
            }
            if (element->GetWaitCursor()) {
                SetCursor(waitCursorHandle);
                return TRUE;
            }
        }
        break;
    case WM_DRAWITEM: {
        const auto *item = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        GUIElement *control = FindById(static_cast<std::int32_t>(wParam));
        auto *painter = dynamic_cast<OwnerDrawHook *>(control);
        if (item != nullptr && painter != nullptr && item->CtlType == ODT_BUTTON) {
            painter->PaintItem(*item);
            return TRUE;
        }
        break;
    }
    case WM_NOTIFY:
        RouteNotify(lParam);
        break;
    case WM_KEYDOWN:
        if (wParam == VK_TAB)
            TabToNext(element, window);
        if (element != nullptr && IsRegistered(element))
            element->HandleKeyDown(static_cast<int>(wParam));
        break;
    case WM_KEYUP:
        if (element != nullptr)
            element->HandleKeyUp(static_cast<int>(wParam));
        break;
    case WM_CHAR:
        if (element != nullptr && !element->HandleChar(static_cast<wchar_t>(wParam)))
            return 1;
        break;
    case WM_COMMAND:
        RouteCommand(element, wParam, lParam);
        break;
    case WM_TIMER:
        if (auto *timer = dynamic_cast<TickHook *>(FindById(static_cast<std::int32_t>(wParam))))
            timer->Tick();
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (RouteScroll(element, message, wParam, lParam))
            return 0;
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        if (element != nullptr) {
            if (HBRUSH brush = element->HandleControlColor(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_MOUSEMOVE:
        if (element != nullptr)
            element->HandleMouseMove(MouseX(lParam), MouseY(lParam));
        TrackHover(window);
        break;
    case WM_LBUTTONDOWN:
        if (element != nullptr) {
            element->HandleLeftButtonDown(MouseX(lParam), MouseY(lParam));
            wheelPanel = IsRegistered(element) && AsPanel(element) != nullptr ? element : nullptr;
        }
        break;
    case WM_LBUTTONUP:
        if (element != nullptr)
            element->HandleLeftButtonUp(MouseX(lParam), MouseY(lParam));
        break;
    case WM_LBUTTONDBLCLK:
        if (element != nullptr)
            element->HandleLeftDoubleClick(MouseX(lParam), MouseY(lParam));
        break;
    case WM_RBUTTONDOWN:
        if (element != nullptr)
            element->HandleRightButtonDown(MouseX(lParam), MouseY(lParam));
        break;
    case WM_RBUTTONUP:
        if (element != nullptr)
            element->HandleRightButtonUp(MouseX(lParam), MouseY(lParam));
        break;
    case WM_RBUTTONDBLCLK:
        if (element != nullptr)
            element->HandleRightDoubleClick(MouseX(lParam), MouseY(lParam));
        break;
    case WM_MOUSEWHEEL:
        if (RouteWheel(element, wParam))
            return 0;
        break;
    case WM_MOUSEHOVER:
        if (element != nullptr)
            element->HandleMouseHover();
        break;
    case WM_MOUSELEAVE:
        mouseTracking = false;
        if (element != nullptr)
            element->HandleMouseLeave();
        break;
    case WM_HOTKEY:
        RouteHotKey(element, wParam);
        break;
    default:
        break;
    }

    // Passing on. The element may have been deleted by a handler.
    WNDPROC proc = IsRegistered(element) ? element->controlProc : ownProc;
    if (proc != nullptr)
        return CallWindowProcW(proc, window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

void RunMessageLoop(Form *mainForm) {
    MSG message{};
    // GetMessageW answers -1 on failure: that ends the loop as well.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (mainForm != nullptr && mainForm->dialogStyle &&
            IsDialogMessageW(mainForm->window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // A destructor may hand further elements over: keep going until empty.
    while (!disposalList.empty()) {
        std::vector<GUIElement *> batch;
        batch.swap(disposalList);
        for (GUIElement *element : batch)
            delete element;
    }
}

void DisposeAfterLoop(GUIElement *element) {
    disposalList.push_back(element);
}

} // namespace OrvoUtility
