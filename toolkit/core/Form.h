// Top-level windows of the toolkit, and the font description elements use.
#pragma once

#include "toolkit/core/Element.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace OrvoUtility {

class Form;

// A font description; the handle is made on first use. The creator owns it
// and keeps it alive while any element points to it.
class FontSpec {
public:
    FontSpec(); // "System", height 0
    FontSpec(const NarrowText &faceName, std::int32_t fontHeight);
    ~FontSpec(); // deletes the handle when it was made

    FontSpec(const FontSpec &) = delete;
    FontSpec &operator=(const FontSpec &) = delete;

    HFONT handle = nullptr;
    WideText face;
    std::int32_t height = 0; // as CreateFontW takes it
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool fixedPitch = false;

    // Makes the font on first use; flags changed afterwards have no effect.
    HFONT Handle();
};

using HotKeyHandler = std::function<void(Form *form, UINT modifiers, UINT key)>;

// A system-wide hot key of a form; its system id is its position in the
// form's list, counting from 1.
struct HotKey {
    UINT modifiers = 0; // RegisterHotKey modifier flags
    UINT key = 0;       // virtual-key code
    HotKeyHandler handler;
};

// A top-level window with a window class of its own ("Window" + the id
// counter's value), overlapped or a tool window, never with a parent.
//
// Forms derived from this one usually set the element's callbacks to small
// functions that call their own virtual operations. Such a form must call
// CloseAndDestroy() first thing in its own destructor: by the time ~Form
// runs, the derived part is gone, and a close query reaching it would call
// into a destroyed object.
class Form : public GUIElement {
public:
    Form(HINSTANCE instance, bool dialogStyle);
    // Closes and destroys the window if it still exists (CloseAndDestroy).
    ~Form() override;

    Form *modalChild = nullptr; // the form shown over this one; not owned
    bool topMost = true;        // with dialogStyle: stays above other windows
    bool minimizeBox = true;
    bool sizable = true;      // maximize box, and without dialogStyle a sizing border
    bool caption = true;      // title bar and system menu; false: a plain popup
    bool dialogStyle = false; // a tool window with a dialog frame
    bool modalFrame = false;  // with dialogStyle: adds DS_MODALFRAME
    std::vector<HotKey> hotKeys;
    HICON smallIcon = nullptr;
    std::uint16_t iconId = 0; // 0: the system's application icon

    // Registers the class, creates and shows the window. The creation
    // message already reaches the form (it is the element registered last),
    // so onCreated runs inside the creating call, before this returns.
    void Create() override;
    // Does nothing; no one calls it. Derived forms add theirs after it.
    virtual void FormHook();

    // With a window: sizes the window so that its client area is w x h.
    void SetClientSize(std::int32_t clientWidth, std::int32_t clientHeight);
    // Centres on the screen (stores the position without a window).
    void CenterOnScreen();
    // Stores iconId; with a window loads the icon and shows it as small icon.
    void SetIcon(std::uint16_t resourceId);
    void RegisterHotKeys();
    void UnregisterHotKeys();
    // If the window still exists: sends it the close request (the close
    // query runs), clears created and destroys the window if the close
    // query refused.
    void CloseAndDestroy();

    // The window styles Create uses, from the flags as they are now.
    DWORD ComputeStyle() const;
    DWORD ComputeExtendedStyle() const;

private:
    WideText className;
};

} // namespace OrvoUtility
