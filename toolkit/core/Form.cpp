#include "toolkit/core/Form.h"

#include "toolkit/core/WindowProc.h"

namespace OrvoUtility {

// --- fonts ---

FontSpec::FontSpec() : face(L"System") {}

FontSpec::FontSpec(const NarrowText &faceName, std::int32_t fontHeight)
    : face(Widen(faceName)), height(fontHeight) {}

FontSpec::~FontSpec() {
    if (handle != nullptr)
        DeleteObject(handle);
}

HFONT FontSpec::Handle() {
    if (handle == nullptr)
        handle = CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic ? TRUE : FALSE,
                             underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_OUTLINE_PRECIS,
                             CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                             fixedPitch ? FIXED_PITCH : DEFAULT_PITCH, face.c_str());
    return handle;
}

// --- forms ---

namespace {

// Title bar, system menu and maximize box, visible.
constexpr DWORD captionStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX;
static_assert(captionStyle == 0x10C90000);

} // namespace

Form::Form(HINSTANCE moduleInstance, bool withDialogStyle)
    : GUIElement(moduleInstance), dialogStyle(withDialogStyle) {
    kind = "form";
}

Form::~Form() {
    CloseAndDestroy();
}

void Form::CloseAndDestroy() {
    if (window == nullptr || destroyed || !IsWindow(window))
        return;
    SendMessageW(window, WM_CLOSE, 0, 0);
    created = false;
    if (IsWindow(window))
        DestroyWindow(window);
}

DWORD Form::ComputeStyle() const {
    DWORD style = 0;
    if (caption) {
        style = captionStyle;
        if (minimizeBox)
            style |= WS_MINIMIZEBOX;
        if (sizable)
            style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
    } else {
        style = WS_POPUP;
    }
    if (dialogStyle) {
        style = captionStyle;
        if (modalFrame)
            style |= DS_MODALFRAME;
    }
    if (!sizable)
        style &= ~static_cast<DWORD>(WS_MAXIMIZEBOX);
    if (!minimizeBox)
        style &= ~static_cast<DWORD>(WS_MINIMIZEBOX);
    if (!enabled)
        style |= WS_DISABLED;
    return style;
}

DWORD Form::ComputeExtendedStyle() const {
    if (!dialogStyle)
        return 0;
    DWORD extended = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW;
    if (topMost)
        extended |= WS_EX_TOPMOST;
    return extended;
}

void Form::Create() {
    if (created)
        return;
    const WideText title = text;

    const std::int32_t classNumber = CurrentIdCounter();
    id = TakeNextId();
    className = L"Window" + WideDecimal(classNumber);

    windowClass = WNDCLASSW{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = iconId != 0 ? LoadIconW(instance, MAKEINTRESOURCEW(iconId))
                                    : LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // A coloured background gets a brush of its own; the system deletes it
    // with the class when the program ends.
    windowClass.hbrBackground =
        backColor == NoColor ? GetSysColorBrush(COLOR_BTNFACE) : CreateSolidBrush(backColor);
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = className.c_str();
    RegisterClassW(&windowClass);

    HWND made =
        CreateWindowExW(ComputeExtendedStyle(), className.c_str(), title.c_str(), ComputeStyle(), x,
                        y, width, height, nullptr, nullptr, instance, nullptr);
    window = made;
    if (window != nullptr && MainWindow() == nullptr)
        SetMainWindow(window);
    HandleCreated(window);
    if (window != nullptr) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    created = true;
    AttachTooltip(window);
    if (font != nullptr && window != nullptr)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font->Handle()), TRUE);
}

void Form::FormHook() {}

void Form::SetClientSize(std::int32_t clientWidth, std::int32_t clientHeight) {
    if (!HasWindow())
        return;
    RECT outer{};
    RECT client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    LONG frameWidth = (outer.right - outer.left) - (client.right - client.left);
    LONG frameHeight = (outer.bottom - outer.top) - (client.bottom - client.top);
    if (frameWidth < 0)
        frameWidth = 0;
    if (frameHeight < 0)
        frameHeight = 0;
    RefreshPosition();
    SetSize(clientWidth + frameWidth, clientHeight + frameHeight);
}

void Form::CenterOnScreen() {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RefreshSize();
    x = (screenWidth - width) / 2;
    y = (screenHeight - height) / 2;
    if (HasWindow()) {
        SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Redraw();
    }
}

void Form::SetIcon(std::uint16_t resourceId) {
    iconId = resourceId;
    if (!HasWindow())
        return;
    HICON icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (icon == nullptr)
        return;
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    smallIcon = icon;
}

void Form::RegisterHotKeys() {
    for (std::size_t i = 0; i < hotKeys.size(); ++i)
        RegisterHotKey(window, static_cast<int>(i + 1), hotKeys[i].modifiers, hotKeys[i].key);
}

void Form::UnregisterHotKeys() {
    for (std::size_t i = 0; i < hotKeys.size(); ++i)
        UnregisterHotKey(window, static_cast<int>(i + 1));
}

} // namespace OrvoUtility
