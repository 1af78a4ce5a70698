#include "toolkit/core/System.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

namespace OrvoUtility {

bool OpenWithShell(const NarrowText &target) {
    const WideText wide = Widen(target);
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

NarrowText LocalAppDataFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
        return NarrowText();
    return Narrow(path);
}

bool AskYesNo(const NarrowText &text, const NarrowText &caption) {
    // The program's narrow texts are Latin-1; the wide call shows them as such
    // whatever the system's ANSI code page is.
    const WideText wideText = Widen(text);
    const WideText wideCaption = Widen(caption);
    return MessageBoxW(nullptr, wideText.c_str(), wideCaption.c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) == IDYES;
}

} // namespace OrvoUtility
