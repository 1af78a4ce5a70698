#include "toolkit/controls/Menus.h"

namespace OrvoUtility {

namespace {

const wchar_t *ItemText(const WideText &text) {
    return text.empty() ? nullptr : text.c_str();
}

// Redraws the bar of the form when the bar is already on show.
void RefreshBar(MenuBar *bar) {
    if (bar != nullptr && bar->created && bar->parent != nullptr && bar->parent->window != nullptr)
        DrawMenuBar(bar->parent->window);
}

} // namespace

// --- MenuBar ---

MenuBar::MenuBar(GUIElement *parentForm) : Child(nullptr) {
    kind = "menubar";
    parent = parentForm;
}

void MenuBar::Create() {
    if (created || parent == nullptr || parent->window == nullptr)
        return;
    // The handle is stored first: the menus beneath look for it.
    menuHandle = CreateMenu();
    for (GUIElement *child : children)
        child->Create();
    SetMenu(parent->window, menuHandle);
    created = true;
    window = reinterpret_cast<HWND>(menuHandle);
}

// --- Menu ---

Menu::Menu(const NarrowText &caption, MenuBar *bar) : Child(nullptr) {
    kind = "menu";
    parent = bar;
    text = Widen(caption);
    if (bar != nullptr) {
        bar->children.push_back(this);
        if (bar->created)
            Create();
    }
}

void Menu::Create() {
    if (created)
        return;
    auto *bar = dynamic_cast<MenuBar *>(parent);
    if (bar == nullptr || bar->menuHandle == nullptr)
        return;
    // The handle is stored first: the entries beneath look for it.
    menuHandle = CreatePopupMenu();
    for (GUIElement *child : children)
        child->Create();
    AppendMenuW(bar->menuHandle, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menuHandle),
                text.c_str());
    window = reinterpret_cast<HWND>(menuHandle);
    created = true;
    RefreshBar(bar);
}

// --- SubMenu ---

SubMenu::SubMenu(GUIElement *parentMenu, const NarrowText &caption) : Child(nullptr) {
    kind = "submenu";
    parent = parentMenu;
    text = Widen(caption);
    id = TakeNextId();
    if (auto *menu = dynamic_cast<Menu *>(parentMenu)) {
        menu->children.push_back(this);
        if (menu->created)
            Create();
    } else if (auto *cascade = dynamic_cast<SubMenu *>(parentMenu)) {
        cascade->children.push_back(this);
        if (cascade->created)
            Create();
    }
}

HMENU SubMenu::ParentMenu() const {
    if (auto *menu = dynamic_cast<Menu *>(parent))
        return menu->menuHandle;
    if (auto *cascade = dynamic_cast<SubMenu *>(parent))
        return cascade->popupHandle;
    return nullptr;
}

void SubMenu::ApplyCheckMark() {
    HMENU menu = ParentMenu();
    if (menu == nullptr)
        return;
    CheckMenuItem(menu, static_cast<UINT>(id),
                  MF_BYCOMMAND | (checked && checkable ? MF_CHECKED : MF_UNCHECKED));
}

void SubMenu::SetCheckable(bool flag) {
    checkable = flag;
    if (created)
        ApplyCheckMark();
}

void SubMenu::SetChecked(bool flag) {
    checked = flag;
    if (created)
        ApplyCheckMark();
}

bool SubMenu::IsChecked() {
    HMENU menu = ParentMenu();
    if (!created || menu == nullptr)
        return checked;
    const UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
    // The mark alone decides: a greyed or highlighted entry can be checked too.
    checked = state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
    return checked;
}

void SubMenu::SetEnabled(bool enable) {
    enabled = enable;
    if (!created)
        return;
    if (HMENU menu = ParentMenu())
        EnableMenuItem(menu, static_cast<UINT>(id),
                       MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void SubMenu::Create() {
    if (created)
        return;
    HMENU menu = ParentMenu();
    if (menu == nullptr)
        return;
    if (children.empty()) {
        AppendMenuW(menu, appendFlags, static_cast<UINT_PTR>(id), ItemText(text));
        if (checkable)
            ApplyCheckMark();
    } else {
        popupHandle = CreatePopupMenu();
        for (SubMenu *child : children)
            child->Create();
        AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popupHandle),
                    text.c_str());
    }
    created = true;
    window = reinterpret_cast<HWND>(popupHandle);
    if (!enabled)
        SetEnabled(false);
}

void SubMenu::MenuCommandStep() {
    if (!checkable)
        return;
    checked = !IsChecked();
    if (created)
        ApplyCheckMark();
}

} // namespace OrvoUtility
