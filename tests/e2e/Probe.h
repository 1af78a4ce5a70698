// A small probe for end-to-end tests: starts the real Corvanta.exe, finds its
// windows, reads their texts and menus, presses keys, clicks buttons, answers
// message boxes and reads pixels. Everything goes through the ordinary Win32
// calls a second program can make; nothing reaches into the game's memory.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Probe {

struct Child {
    HWND window = nullptr;
    std::wstring className;
    std::wstring text;
    int id = 0;
    bool enabled = false;
    bool visible = false;
    RECT rect{}; // in the parent's client coordinates
};

struct MenuEntry {
    std::wstring path; // "&Opzioni/A&llenamento"
    UINT id = 0;
    bool checked = false;
    bool grayed = false;
};

// Waits until the condition holds or the time runs out; pumps this thread's
// messages meanwhile. True when the condition held.
bool WaitFor(const std::function<bool()> &condition,
             std::chrono::milliseconds timeout = std::chrono::seconds(10));

// The first visible top-level window of the given process whose title starts
// with the prefix (any process when processId is 0).
HWND FindTopWindow(const std::wstring &titlePrefix, DWORD processId = 0);

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
std::vector<Child> Children(HWND parent);
// The direct child whose top-left corner is at (x, y) of the parent's client
// area (nullptr when none). Reads no texts, so it is quick.
HWND ChildAt(HWND parent, int x, int y);
// The first child whose text is exactly the given text (nullptr when none).
HWND ChildWithText(HWND parent, const std::wstring &text);
// The menu of a window. Wine lets no process read another's menu, so when
// the window's process is the seeded test build, its report window (a
// hidden window of that build) reads the menu for us.
std::vector<MenuEntry> MenuEntries(HWND window);
const MenuEntry *FindMenuEntry(const std::vector<MenuEntry> &entries, const std::wstring &path);

// Clicks a button the way a mouse click would (BM_CLICK, posted).
void Click(HWND button);
// Chooses a menu entry by its path ("&File/&Esci").
bool ChooseMenu(HWND window, const std::wstring &path);
// Asks a window to close, as its close box does.
void RequestClose(HWND window);

// Real key presses through the system's input queue (the window in front gets them).
void KeyDown(WORD virtualKey);
void KeyUp(WORD virtualKey);
void HoldKey(WORD virtualKey, std::chrono::milliseconds duration);
// Types text as key presses (letters and digits).
void Type(const std::wstring &text);

// A visible message box (dialog class #32770) with the given caption, its
// text, and answering it.
HWND FindMessageBox(const std::wstring &caption);
// The window is destroyed or hidden (a closed dialog may linger hidden).
bool Gone(HWND window);
std::wstring MessageBoxText(HWND box);
void Answer(HWND box, int button); // IDYES, IDNO, IDOK

// The hidden report window of the seeded test build running as the given
// process, or none.
HWND FindReportWindow(DWORD processId);
// The low 16 bits of a GDI handle just made (and deleted) inside that
// process: they stay put while nothing leaks GDI objects. -1 without report.
int GdiSlot(DWORD processId);

// The colour of a pixel of a window's client area, read from the screen.
COLORREF Pixel(HWND window, int x, int y);

// A copy of a window's client area as the screen shows it, taken at once, so
// that many pixels can be read without a trip to the screen each.
class Snapshot {
public:
    explicit Snapshot(HWND window);
    ~Snapshot();
    Snapshot(const Snapshot &) = delete;
    Snapshot &operator=(const Snapshot &) = delete;

    bool Taken() const { return bits_ != nullptr; }
    // The colour at a client position; black outside the copy.
    COLORREF Pixel(int x, int y) const;

private:
    HBITMAP bitmap_ = nullptr;
    const std::uint32_t *bits_ = nullptr; // top-down, 0x00RRGGBB
    int width_ = 0;
    int height_ = 0;
};

// A running copy of a program, ended (if still running) when the object goes.
class Process {
public:
    explicit Process(const std::wstring &commandLine);
    ~Process();
    Process(const Process &) = delete;
    Process &operator=(const Process &) = delete;

    bool Started() const { return info.hProcess != nullptr; }
    DWORD Id() const { return info.dwProcessId; }
    // Waits for the process to end; its exit code, or STILL_ACTIVE on time-out.
    DWORD WaitExit(std::chrono::milliseconds timeout);
    bool Running() const;

private:
    PROCESS_INFORMATION info{};
};

// The folder of the running test program, with a trailing backslash.
std::wstring ProgramFolder();

} // namespace Probe
