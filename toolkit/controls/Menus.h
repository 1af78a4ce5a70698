// A form's menu as elements: the bar, its drop-down menus, and their
// entries (commands, optionally with a check mark, or cascades of further
// entries). The objects are built in display order; creating the bar then
// builds the whole Win32 menu and attaches it to the form's window.
#pragma once

#include "toolkit/core/Element.h"

#include <vector>

namespace OrvoUtility {

class MenuBar : public Child {
public:
    explicit MenuBar(GUIElement *parentForm);

    std::vector<GUIElement *> children; // the menus, in insertion order; not owned
    HMENU menuHandle = nullptr;

    // With a window of the form: makes the bar, creates every menu beneath
    // it and attaches the bar to the form's window.
    void Create() override;
};

class Menu : public Child {
public:
    // Appends itself to the bar; created at once when the bar already is.
    Menu(const NarrowText &caption, MenuBar *bar);

    std::vector<GUIElement *> children; // the entries, in insertion order; not owned
    HMENU menuHandle = nullptr;

    void Create() override;
};

class SubMenu : public Child, public CommandElement, public MenuEntryHook {
public:
    // The parent is a Menu or a SubMenu. The entry takes its id now; it
    // appends itself to the parent and is created at once when the parent
    // already is.
    SubMenu(GUIElement *parentMenu, const NarrowText &caption);

    std::vector<SubMenu *> children; // entries of a cascade; not owned
    HMENU popupHandle = nullptr;
    UINT appendFlags = MF_STRING; // flags of a command entry, such as MF_SEPARATOR
    bool checkable = false;
    bool checked = false; // last known check state

    void SetCheckable(bool flag);
    void SetChecked(bool flag);
    // The check mark as the menu shows it (the stored state before creation).
    bool IsChecked();
    // Enables the entry, or greys it.
    void SetEnabled(bool enable) override;

    void Create() override;

    // A chosen checkable entry flips its check mark.
    void MenuCommandStep() override;

    // The menu this entry lives in, or none.
    HMENU ParentMenu() const;

private:
    void ApplyCheckMark();
};

} // namespace OrvoUtility
