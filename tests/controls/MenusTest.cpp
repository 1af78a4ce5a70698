// The menu bar, its menus and entries on a real form.
#include "toolkit/controls/Menus.h"
#include "tests/controls/Support.h"

#include <gtest/gtest.h>

namespace ControlsTest {
namespace {

std::wstring ItemString(HMENU menu, UINT position) {
    wchar_t buffer[128] = {};
    GetMenuStringW(menu, position, buffer, 128, MF_BYPOSITION);
    return buffer;
}

std::vector<std::wstring> ItemStrings(HMENU menu) {
    std::vector<std::wstring> strings;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        strings.push_back(ItemString(menu, static_cast<UINT>(i)));
    return strings;
}

void Choose(const FormLease &form, const SubMenu &entry) {
    SendMessageW(form->window, WM_COMMAND, MAKEWPARAM(entry.id, 0), 0);
}

// A form with "&File" (Uno, Due) and "&Opzioni" (two checkable entries,
// the first checked from the start), built and then created.
class Menus : public testing::Test {
protected:
    void SetUp() override {
        bar = std::make_unique<MenuBar>(form.get());
        file = std::make_unique<Menu>("&File", bar.get());
        one = std::make_unique<SubMenu>(file.get(), "&Uno");
        two = std::make_unique<SubMenu>(file.get(), "&Due");
        options = std::make_unique<Menu>("&Opzioni", bar.get());
        checkedAtStart = std::make_unique<SubMenu>(options.get(), "&Abilita");
        checkedAtStart->SetCheckable(true);
        checkedAtStart->SetChecked(true);
        toggle = std::make_unique<SubMenu>(options.get(), "A&llenamento");
        toggle->SetCheckable(true);
    }
    void TearDown() override {
        // Entries before their menus, menus before the bar: the form owns them all.
        later.clear();
        toggle.reset();
        checkedAtStart.reset();
        two.reset();
        one.reset();
        options.reset();
        file.reset();
        bar.reset();
    }
    UINT State(const SubMenu &entry) {
        return GetMenuState(entry.ParentMenu(), static_cast<UINT>(entry.id), MF_BYCOMMAND);
    }

    FormLease form;
    std::unique_ptr<MenuBar> bar;
    std::unique_ptr<Menu> file, options;
    std::unique_ptr<SubMenu> one, two, checkedAtStart, toggle;
    std::vector<std::unique_ptr<GUIElement>> later;
};

TEST_F(Menus, EntriesTakeIdsWhenBuiltAndMenusTakeNone) {
    EXPECT_EQ(two->id, one->id + 1);
    EXPECT_EQ(checkedAtStart->id, two->id + 1);
    EXPECT_EQ(bar->id, 0);
    EXPECT_EQ(file->id, 0);
    EXPECT_EQ(FindMenuItemById(two->id), two.get());
    EXPECT_FALSE(one->created) << "nothing is created before the bar";
}

TEST_F(Menus, CreatingTheBarBuildsEverythingInOrder) {
    bar->Create();
    ASSERT_TRUE(bar->created);
    EXPECT_EQ(GetMenu(form->window), bar->menuHandle);
    EXPECT_EQ(ItemStrings(bar->menuHandle), (std::vector<std::wstring>{L"&File", L"&Opzioni"}));
    EXPECT_EQ(ItemStrings(file->menuHandle), (std::vector<std::wstring>{L"&Uno", L"&Due"}));
    EXPECT_EQ(GetSubMenu(bar->menuHandle, 1), options->menuHandle);
    EXPECT_EQ(GetMenuItemID(file->menuHandle, 1), static_cast<UINT>(two->id));
    EXPECT_TRUE(one->created);
    EXPECT_NE(State(*checkedAtStart) & MF_CHECKED, 0u) << "checked when created";
    EXPECT_EQ(State(*toggle) & MF_CHECKED, 0u);
    EXPECT_TRUE(checkedAtStart->IsChecked());
}

TEST_F(Menus, EntriesAndMenusAddedLaterGoAtTheEnd) {
    bar->Create();
    auto *three = new SubMenu(file.get(), "&Tre");
    later.emplace_back(three);
    EXPECT_TRUE(three->created);
    EXPECT_EQ(ItemStrings(file->menuHandle),
              (std::vector<std::wstring>{L"&Uno", L"&Due", L"&Tre"}));
    auto *help = new Menu("&?", bar.get());
    later.emplace_back(help);
    auto *guide = new SubMenu(help, "&Guida");
    later.emplace_back(guide);
    EXPECT_TRUE(help->created);
    EXPECT_EQ(ItemString(bar->menuHandle, 2), L"&?");
    EXPECT_EQ(ItemStrings(help->menuHandle), std::vector<std::wstring>{L"&Guida"});
    int chosen = 0;
    guide->onCommand = [&](GUIElement *) { ++chosen; };
    Choose(form, *guide);
    EXPECT_EQ(chosen, 1);
}

TEST_F(Menus, ChoosingACheckableEntryFlipsItBeforeTheHandlerRuns) {
    bar->Create();
    std::vector<bool> seen;
    toggle->onCommand = [&](GUIElement *element) {
        seen.push_back(static_cast<SubMenu *>(element)->IsChecked());
    };
    Choose(form, *toggle);
    Choose(form, *toggle);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_EQ(State(*toggle) & MF_CHECKED, 0u) << "two choices give the first state back";
    EXPECT_FALSE(toggle->checked);

    // A plain entry has no mark to flip.
    int plain = 0;
    one->onCommand = [&](GUIElement *element) {
        EXPECT_EQ(element, one.get());
        ++plain;
    };
    Choose(form, *one);
    EXPECT_EQ(plain, 1);
    EXPECT_EQ(State(*one) & MF_CHECKED, 0u);
}

TEST_F(Menus, SettingTheCheckMarkAfterCreation) {
    bar->Create();
    toggle->SetChecked(true);
    EXPECT_NE(State(*toggle) & MF_CHECKED, 0u);
    toggle->SetCheckable(false); // not checkable: the mark goes
    EXPECT_EQ(State(*toggle) & MF_CHECKED, 0u);
}

TEST_F(Menus, GreyedEntries) {
    two->SetEnabled(false);
    EXPECT_FALSE(two->enabled);
    bar->Create();
    EXPECT_NE(State(*two) & MF_GRAYED, 0u) << "greyed when created";
    two->SetEnabled(true);
    EXPECT_EQ(State(*two) & MF_GRAYED, 0u);
    // A greyed entry keeps its check mark, and says so.
    checkedAtStart->SetEnabled(false);
    EXPECT_TRUE(checkedAtStart->IsChecked());
    EXPECT_TRUE(checkedAtStart->checked);
}

TEST_F(Menus, CascadesAndEmptyCaptions) {
    auto *cascade = new SubMenu(file.get(), "&Altro");
    later.emplace_back(cascade);
    auto *inner = new SubMenu(cascade, "&Dentro");
    later.emplace_back(inner);
    auto *blank = new SubMenu(file.get(), "");
    later.emplace_back(blank);
    EXPECT_FALSE(inner->created);
    bar->Create();
    ASSERT_NE(cascade->popupHandle, nullptr);
    EXPECT_EQ(GetSubMenu(file->menuHandle, 2), cascade->popupHandle);
    EXPECT_EQ(ItemStrings(cascade->popupHandle), std::vector<std::wstring>{L"&Dentro"});
    EXPECT_EQ(inner->ParentMenu(), cascade->popupHandle);
    EXPECT_EQ(GetMenuStringW(file->menuHandle, 3, nullptr, 0, MF_BYPOSITION), 0)
        << "an empty caption gives no item text";
    int chosen = 0;
    inner->onCommand = [&](GUIElement *) { ++chosen; };
    Choose(form, *inner);
    EXPECT_EQ(chosen, 1);
}

TEST_F(Menus, NothingWithoutAWindowOfTheForm) {
    Form windowless(Instance(), false);
    MenuBar lone(&windowless);
    Menu menu("&File", &lone);
    SubMenu entry(&menu, "&Uno");
    entry.SetCheckable(true);
    entry.SetChecked(true);
    lone.Create();
    EXPECT_FALSE(lone.created);
    EXPECT_FALSE(menu.created);
    EXPECT_TRUE(entry.IsChecked()) << "before creation the stored state answers";
}

} // namespace
} // namespace ControlsTest
