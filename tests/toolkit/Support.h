// Helpers shared by the toolkit's Windows tests: real windows, real messages.
#pragma once

#include "toolkit/core/Element.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/WindowProc.h"
#include "tests/support/MessagePump.h"

#include <string>
#include <vector>

namespace CorvantaTest {

using namespace OrvoUtility;

inline HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

using TestSupport::Pump;

// Forgets the main window and drops any pending quit, so each test starts
// with a fresh loop.
inline void ResetLoop() {
    Pump();
    SetMainWindow(nullptr);
}

inline std::wstring WindowText(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

inline std::wstring ClassOf(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

// A form at a fixed place, created on demand.
class TestForm : public Form {
public:
    explicit TestForm(bool dialog = false) : Form(Instance(), dialog) {
        x = 40;
        y = 40;
        width = 320;
        height = 240;
    }
};

// A native control subclassed to the shared window procedure, as the
// controls do: "button", "edit" or "static".
class NativeControl : public Child, public CommandElement {
public:
    NativeControl(GUIElement *owner, const wchar_t *windowClassName, DWORD extraStyle)
        : Child(nullptr), className(windowClassName), style(extraStyle) {
        parent = owner;
        width = 80;
        height = 24;
        x = 10;
        y = 10;
    }
    void Create() override {
        if (created)
            return;
        id = TakeNextId();
        window = CreateWindowExW(
            0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height,
            parent->window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
        if (window != nullptr)
            controlProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
        created = true;
    }

private:
    const wchar_t *className;
    DWORD style;
};

// An element that never makes a window.
class Windowless : public Child {
public:
    Windowless() : Child(nullptr) {}
    void Create() override { created = true; }
};

// A menu entry stand-in: takes its id at construction like the real ones.
class FakeEntry : public Child, public CommandElement, public MenuEntryHook {
public:
    FakeEntry() : Child(nullptr) { id = TakeNextId(); }
    void Create() override { created = true; }
    void MenuCommandStep() override { log.push_back("step"); }
    std::vector<std::string> log;
};

} // namespace CorvantaTest
