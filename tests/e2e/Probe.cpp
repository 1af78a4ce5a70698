#include "tests/e2e/Probe.h"

#include <thread>

namespace Probe {

bool WaitFor(const std::function<bool()> &condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::wstring WindowText(HWND window) {
    // WM_GETTEXT works across processes, also for controls.
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    const LRESULT got = SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

namespace {

struct TopSearch {
    std::wstring prefix;
    DWORD processId;
    HWND found;
};

BOOL CALLBACK CheckTop(HWND window, LPARAM data) {
    auto *search = reinterpret_cast<TopSearch *>(data);
    if (!IsWindowVisible(window))
        return TRUE;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search->processId != 0 && owner != search->processId)
        return TRUE;
    if (WindowText(window).rfind(search->prefix, 0) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
    auto *list = reinterpret_cast<std::pair<HWND, std::vector<Child> *> *>(data);
    if (GetParent(window) != list->first)
        return TRUE; // direct children only
    Child child;
    child.window = window;
    child.className = ClassName(window);
    child.text = WindowText(window);
    child.id = GetDlgCtrlID(window);
    child.enabled = IsWindowEnabled(window) != FALSE;
    child.visible = IsWindowVisible(window) != FALSE;
    GetWindowRect(window, &child.rect);
    MapWindowPoints(HWND_DESKTOP, list->first, reinterpret_cast<POINT *>(&child.rect), 2);
    list->second->push_back(child);
    return TRUE;
}

void CollectMenu(HMENU menu, const std::wstring &prefix, std::vector<MenuEntry> &entries) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        const std::wstring path = prefix.empty() ? std::wstring(text) : prefix + L"/" + text;
        if (HMENU sub = GetSubMenu(menu, i)) {
            CollectMenu(sub, path, entries);
            continue;
        }
        MenuEntry entry;
        entry.path = path;
        entry.id = GetMenuItemID(menu, i);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        entry.checked = (state & MF_CHECKED) != 0;
        entry.grayed = (state & MF_GRAYED) != 0;
        entries.push_back(entry);
    }
}

void SendKey(WORD virtualKey, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    if (virtualKey == VK_LEFT || virtualKey == VK_RIGHT || virtualKey == VK_UP ||
        virtualKey == VK_DOWN || virtualKey == VK_RCONTROL)
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    SendInput(1, &input, sizeof input);
}

} // namespace

HWND FindTopWindow(const std::wstring &titlePrefix, DWORD processId) {
    TopSearch search{titlePrefix, processId, nullptr};
    EnumWindows(CheckTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<Child> Children(HWND parent) {
    std::vector<Child> children;
    std::pair<HWND, std::vector<Child> *> data{parent, &children};
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&data));
    return children;
}

namespace {

struct PositionSearch {
    HWND parent;
    POINT at;
    HWND found;
};

BOOL CALLBACK CheckPosition(HWND window, LPARAM data) {
    auto *search = reinterpret_cast<PositionSearch *>(data);
    if (GetParent(window) != search->parent)
        return TRUE;
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, search->parent, reinterpret_cast<POINT *>(&rect), 2);
    if (rect.left != search->at.x || rect.top != search->at.y)
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

HWND ChildAt(HWND parent, int x, int y) {
    PositionSearch search{parent, {x, y}, nullptr};
    EnumChildWindows(parent, CheckPosition, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ChildWithText(HWND parent, const std::wstring &text) {
    for (const Child &child : Children(parent))
        if (child.text == text)
            return child.window;
    return nullptr;
}

namespace {

// Must match the seeded build's report window.
const wchar_t ReportClass[] = L"CorvantaTestReport";
constexpr UINT ReportMenuMessage = WM_APP + 1;
constexpr UINT ReportGdiSlotMessage = WM_APP + 2;

std::vector<MenuEntry> ParseMenuReport(const std::wstring &report) {
    std::vector<MenuEntry> entries;
    std::size_t start = 0;
    while (start < report.size()) {
        std::size_t end = report.find(L'\n', start);
        if (end == std::wstring::npos)
            end = report.size();
        const std::wstring line = report.substr(start, end - start);
        start = end + 1;
        const std::size_t t1 = line.find(L'\t');
        const std::size_t t2 = line.find(L'\t', t1 + 1);
        const std::size_t t3 = line.find(L'\t', t2 + 1);
        if (t1 == std::wstring::npos || t2 == std::wstring::npos || t3 == std::wstring::npos)
            continue;
        MenuEntry entry;
        entry.path = line.substr(0, t1);
        entry.id = static_cast<UINT>(std::stoul(line.substr(t1 + 1, t2 - t1 - 1)));
        entry.checked = line.substr(t2 + 1, t3 - t2 - 1) == L"1";
        entry.grayed = line.substr(t3 + 1) == L"1";
        entries.push_back(entry);
    }
    return entries;
}

} // namespace

HWND FindReportWindow(DWORD processId) {
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, ReportClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        if (owner == processId)
            return found;
    }
    return nullptr;
}

int GdiSlot(DWORD processId) {
    HWND report = FindReportWindow(processId);
    if (report == nullptr)
        return -1;
    return static_cast<int>(SendMessageW(report, ReportGdiSlotMessage, 0, 0));
}

std::vector<MenuEntry> MenuEntries(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != GetCurrentProcessId()) {
        if (HWND report = FindReportWindow(processId)) {
            SendMessageW(report, ReportMenuMessage, 0, 0);
            return ParseMenuReport(WindowText(report));
        }
    }
    std::vector<MenuEntry> entries;
    if (HMENU bar = GetMenu(window))
        CollectMenu(bar, L"", entries);
    return entries;
}

const MenuEntry *FindMenuEntry(const std::vector<MenuEntry> &entries, const std::wstring &path) {
    for (const MenuEntry &entry : entries)
        if (entry.path == path)
            return &entry;
    return nullptr;
}

void Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

bool ChooseMenu(HWND window, const std::wstring &path) {
    const std::vector<MenuEntry> entries = MenuEntries(window);
    const MenuEntry *entry = FindMenuEntry(entries, path);
    if (!entry)
        return false;
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(entry->id, 0), 0);
    return true;
}

void RequestClose(HWND window) {
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void KeyDown(WORD virtualKey) {
    SendKey(virtualKey, 0);
}
void KeyUp(WORD virtualKey) {
    SendKey(virtualKey, KEYEVENTF_KEYUP);
}

void HoldKey(WORD virtualKey, std::chrono::milliseconds duration) {
    KeyDown(virtualKey);
    std::this_thread::sleep_for(duration);
    KeyUp(virtualKey);
}

void Type(const std::wstring &text) {
    for (wchar_t c : text) {
        const SHORT scan = VkKeyScanW(c);
        if (scan == -1)
            continue;
        const WORD key = LOBYTE(scan);
        const bool shift = (HIBYTE(scan) & 1) != 0;
        if (shift)
            KeyDown(VK_SHIFT);
        KeyDown(key);
        KeyUp(key);
        if (shift)
            KeyUp(VK_SHIFT);
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
}

HWND FindMessageBox(const std::wstring &caption) {
    // A box that was just answered may linger hidden for a while.
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", caption.c_str())) != nullptr)
        if (IsWindowVisible(box))
            return box;
    return nullptr;
}

bool Gone(HWND window) {
    return !IsWindow(window) || !IsWindowVisible(window);
}

std::wstring MessageBoxText(HWND box) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    return text;
}

void Answer(HWND box, int button) {
    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
}

COLORREF Pixel(HWND window, int x, int y) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

Snapshot::Snapshot(HWND window) {
    RECT client{};
    if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
        return;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_ == nullptr)
        return;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap_);
    const BOOL copied =
        BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!copied) {
        DeleteObject(bitmap_);
        bitmap_ = nullptr;
        return;
    }
    GdiFlush();
    bits_ = static_cast<const std::uint32_t *>(bits);
    width_ = client.right;
    height_ = client.bottom;
}

Snapshot::~Snapshot() {
    if (bitmap_ != nullptr)
        DeleteObject(bitmap_);
}

COLORREF Snapshot::Pixel(int x, int y) const {
    if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_)
        return RGB(0, 0, 0);
    const std::uint32_t value = bits_[static_cast<std::size_t>(y) * width_ + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

Process::Process(const std::wstring &commandLine) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        info = PROCESS_INFORMATION{};
}

Process::~Process() {
    if (!info.hProcess)
        return;
    if (Running()) {
        TerminateProcess(info.hProcess, 99);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

DWORD Process::WaitExit(std::chrono::milliseconds timeout) {
    if (!info.hProcess)
        return STILL_ACTIVE;
    WaitForSingleObject(info.hProcess, static_cast<DWORD>(timeout.count()));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
}

bool Process::Running() const {
    return info.hProcess && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT;
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder;
}

} // namespace Probe
