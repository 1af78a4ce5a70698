#include "tests/toolkit/Support.h"

#include <gtest/gtest.h>

#include <memory>

namespace CorvantaTest {

extern std::wstring firstFormClass;
extern std::int32_t firstFormId;

namespace {

// Window handles that no real window has; only compared, never used.
HWND FakeHandle(std::uintptr_t n) {
    return reinterpret_cast<HWND>(0x7F000000 + n * 16);
}

TEST(Registry, FirstFormOfTheRunGetsWindow0AndId1) {
    EXPECT_EQ(firstFormClass, L"Window0");
    EXPECT_EQ(firstFormId, 1);
}

TEST(Registry, LookupsReturnTheFirstMatchInRegistrationOrder) {
    Windowless first, second, third;
    first.window = second.window = FakeHandle(1);
    first.id = second.id = 9001;
    third.window = FakeHandle(2);

    EXPECT_EQ(FindByWindow(FakeHandle(1)), &first);
    EXPECT_EQ(FindByWindow(FakeHandle(2)), &third);
    EXPECT_EQ(FindById(9001), &first);
    EXPECT_EQ(FindById(9002), nullptr);
}

TEST(Registry, UnknownWindowFallsBackToTheLastElementOnlyWhileItHasNoWindow) {
    Windowless owner;
    owner.window = FakeHandle(3);
    {
        Windowless beingCreated; // registered last, no window yet
        EXPECT_EQ(FindByWindow(FakeHandle(4)), &beingCreated);
        beingCreated.window = FakeHandle(5);
        EXPECT_EQ(FindByWindow(FakeHandle(4)), nullptr);
        EXPECT_EQ(FindByWindow(FakeHandle(5)), &beingCreated);
    }
    // An earlier element without a window is no fallback: only the last one.
    Windowless early;
    Windowless last;
    last.window = FakeHandle(6);
    EXPECT_EQ(FindByWindow(FakeHandle(4)), nullptr);
}

TEST(Registry, EmptyRegistryFindsNothing) {
    ASSERT_TRUE(RegisteredElements().empty());
    EXPECT_EQ(FindByWindow(FakeHandle(7)), nullptr);
    EXPECT_EQ(FindByWindow(nullptr), nullptr);
}

TEST(Registry, DeletedElementIsNeverFound) {
    Windowless keeper;
    keeper.window = FakeHandle(8); // so no fallback applies
    auto entry = std::make_unique<FakeEntry>();
    auto element = std::make_unique<Windowless>();
    element->window = FakeHandle(9);
    element->id = 9100;
    const std::int32_t entryId = entry->id;
    GUIElement *gone = element.get();
    element.reset();
    entry.reset();
    keeper.window = FakeHandle(10);

    EXPECT_EQ(FindByWindow(FakeHandle(9)), nullptr);
    EXPECT_EQ(FindById(9100), nullptr);
    EXPECT_EQ(FindMenuItemById(entryId), nullptr);
    for (GUIElement *alive : RegisteredElements())
        EXPECT_NE(alive, gone);
}

TEST(Registry, MenuItemLookupOnlyFindsMenuEntries) {
    FakeEntry entry;
    Windowless plain;
    plain.id = entry.id; // same id, but not a menu entry, and registered later
    EXPECT_EQ(FindMenuItemById(entry.id), &entry);

    Windowless before;
    before.id = 9200;
    EXPECT_EQ(FindMenuItemById(9200), nullptr);
    EXPECT_EQ(FindById(entry.id), &entry);
}

TEST(Registry, ChildrenOfListsChildElementsOfThatWindowInOrder) {
    TestForm form; // a form is not a Child
    form.window = FakeHandle(11);
    Windowless a, b, c, orphan;
    a.parent = &form;
    b.parent = &form;
    Windowless elsewhere;
    elsewhere.window = FakeHandle(12);
    c.parent = &elsewhere;
    TestForm nested;
    nested.parent = &form; // has the parent, but is no Child

    const std::vector<GUIElement *> children = ChildrenOf(FakeHandle(11));
    EXPECT_EQ(children, (std::vector<GUIElement *>{&a, &b}));
    EXPECT_EQ(ChildrenOf(FakeHandle(12)), std::vector<GUIElement *>{&c});
    form.window = nullptr; // never a real window: nothing to destroy
    nested.window = nullptr;
}

TEST(Registry, IdsAreCountedAcrossWindowsAndMenuEntries) {
    const std::int32_t start = CurrentIdCounter();
    TestForm form;
    form.Create();
    FakeEntry entry;
    NativeControl button(&form, L"button", 0);
    button.Create();
    TestForm second;
    second.Create();

    EXPECT_EQ(form.id, start + 1);
    EXPECT_EQ(ClassOf(form.window), L"Window" + std::to_wstring(start));
    EXPECT_EQ(entry.id, start + 2);
    EXPECT_EQ(button.id, start + 3);
    EXPECT_EQ(second.id, start + 4);
    EXPECT_EQ(ClassOf(second.window), L"Window" + std::to_wstring(start + 3));
    EXPECT_EQ(CurrentIdCounter(), start + 4);
    EXPECT_EQ(FindById(button.id), &button);
    EXPECT_EQ(FindByWindow(button.window), &button);
    ResetLoop();
}

} // namespace
} // namespace CorvantaTest
