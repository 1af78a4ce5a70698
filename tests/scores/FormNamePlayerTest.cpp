// The player-name window with a real owner form: what the player types, what
// the window keeps, and how the owner gets its input back on every way out.
#include "scores/FormNamePlayer.h"

#include "toolkit/controls/Button.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/TextBox.h"
#include "toolkit/core/WindowProc.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

using OrvoUtility::Form;
using OrvoUtility::GUIElement;
using OrvoUtility::NarrowText;
using OrvoUtility::WideText;
using VeRize::FormNamePlayer;
using VeRize::PlayerName;

namespace {

using TestSupport::Pump;

// Pumps until the condition holds, for at most a second; the condition's answer.
template <typename Condition> bool SettlesTo(Condition condition) {
    for (int i = 0; i < 50 && !condition(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        Pump();
    }
    return condition();
}

WideText WindowText(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

// A child's outer rectangle in its parent's client coordinates.
RECT PlaceOf(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

// One owner for the whole program: every window that goes away costs Wine
// about two seconds on a display without a window manager.
Form *sharedOwner = nullptr;

class OwnerEnvironment : public ::testing::Environment {
public:
    void TearDown() override {
        delete sharedOwner;
        sharedOwner = nullptr;
        Pump();
    }
};

const auto *const ownerEnvironment = ::testing::AddGlobalTestEnvironment(new OwnerEnvironment);

class NameEntry : public ::testing::Test {
protected:
    void SetUp() override {
        PlayerName.clear();
        if (sharedOwner == nullptr) {
            sharedOwner = new Form(GetModuleHandleW(nullptr), false);
            sharedOwner->SetText(NarrowText("Owner"));
            sharedOwner->Create();
        }
        owner = sharedOwner;
        // Whatever an earlier failure left behind.
        owner->modalChild = nullptr;
        owner->SetEnabled(true);
        Pump();
    }

    void TearDown() override {
        form.reset();
        Pump();
    }

    // Opens the window the way the game does after a game over.
    void Open() {
        form = std::make_unique<FormNamePlayer>(owner, GetModuleHandleW(nullptr), "Classifica");
        form->onDestroyed = [this](GUIElement *) {
            ++destroyedCalls;
            nameWhenDestroyed = PlayerName;
            ownerEnabledWhenDestroyed = IsWindowEnabled(owner->window) != FALSE;
        };
        form->SetPrompt("Inserisci il tuo nome:");
        Pump();
    }

    // Characters as the keyboard delivers them to the focused name box.
    void Type(const WideText &keys) {
        for (const wchar_t key : keys) {
            SendMessageW(form->nameBox->window, WM_CHAR, key, 1);
            Pump();
        }
    }

    void PressEnter() {
        if (IsWindow(form->nameBox->window))
            SendMessageW(form->nameBox->window, WM_CHAR, 13, 1);
        Pump();
    }

    void ClickOk() {
        if (IsWindow(form->okButton->window))
            SendMessageW(form->okButton->window, BM_CLICK, 0, 0);
        Pump();
    }

    bool FormOpen() const { return IsWindow(form->window) != FALSE; }

    WideText BoxText() const { return WindowText(form->nameBox->window); }

    Form *owner = nullptr;
    std::unique_ptr<FormNamePlayer> form;
    int destroyedCalls = 0;
    NarrowText nameWhenDestroyed = "(never)";
    bool ownerEnabledWhenDestroyed = false;
};

TEST_F(NameEntry, OpensShownWithItsControlsOverADisabledOwner) {
    Open();
    ASSERT_TRUE(FormOpen());
    EXPECT_TRUE(IsWindowVisible(form->window));
    EXPECT_EQ(WindowText(form->window), L"Classifica");

    // The owner takes no input while the name is asked for.
    EXPECT_FALSE(owner->enabled);
    EXPECT_FALSE(IsWindowEnabled(owner->window));
    EXPECT_EQ(owner->modalChild, form.get());

    // A fixed frame with a title bar and a close box only, not kept on top.
    const LONG_PTR style = GetWindowLongPtrW(form->window, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(GetWindowLongPtrW(form->window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT outer{};
    GetWindowRect(form->window, &outer);
    EXPECT_EQ(outer.right - outer.left, 250);
    EXPECT_EQ(outer.bottom - outer.top, 150);

    // Prompt on top, the name box with the focus below it, "OK" at its right.
    ASSERT_NE(form->promptLabel, nullptr);
    ASSERT_NE(form->nameBox, nullptr);
    ASSERT_NE(form->okButton, nullptr);
    EXPECT_EQ(WindowText(form->promptLabel->window), L"Inserisci il tuo nome:");
    EXPECT_EQ(WindowText(form->okButton->window), L"OK");
    EXPECT_EQ(BoxText(), L"");
    EXPECT_EQ(GetFocus(), form->nameBox->window);

    RECT client{};
    GetClientRect(form->window, &client);
    const LONG w = client.right;
    const RECT label = PlaceOf(form->promptLabel->window);
    const RECT box = PlaceOf(form->nameBox->window);
    const RECT ok = PlaceOf(form->okButton->window);
    EXPECT_EQ(label.left, 5);
    EXPECT_EQ(label.top, 5);
    EXPECT_EQ(label.right - label.left, w - 10);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.top, 35);
    EXPECT_EQ(box.right - box.left, w / 2 - 10);
    EXPECT_EQ(ok.left, w / 2 + 5);
    EXPECT_EQ(ok.top, 35);
    EXPECT_EQ(ok.right - ok.left, 80);
    EXPECT_LE(ok.right, w);
}

struct TypedName {
    const wchar_t *keys;
    const wchar_t *shown;
    const char *kept;
};

class NameEntryTyping : public NameEntry, public ::testing::WithParamInterface<TypedName> {};

// Enter confirms what the box shows: the window closes, the owner gets its
// input back before it hears that the window is gone, and the name is kept.
TEST_P(NameEntryTyping, ShowsAndKeepsTheNameInCapitals) {
    const TypedName &c = GetParam();
    Open();
    Type(c.keys);
    EXPECT_EQ(BoxText(), c.shown);

    PressEnter();
    EXPECT_FALSE(FormOpen());
    EXPECT_EQ(PlayerName, c.kept);
    EXPECT_EQ(destroyedCalls, 1);
    EXPECT_EQ(nameWhenDestroyed, c.kept);
    EXPECT_TRUE(ownerEnabledWhenDestroyed);
    EXPECT_TRUE(owner->enabled);
    EXPECT_EQ(owner->modalChild, nullptr);
    EXPECT_FALSE(form->created);
}

INSTANTIATE_TEST_SUITE_P(Names, NameEntryTyping,
                         ::testing::Values(TypedName{L"anna", L"ANNA", "ANNA"},
                                           // the eleventh character does not go in
                                           TypedName{L"abcdefghijk", L"ABCDEFGHIJ", "ABCDEFGHIJ"},
                                           // spaces are a name like any other
                                           TypedName{L"   ", L"   ", "   "},
                                           TypedName{L"Dell'Ar\u00e8", L"DELL'AR\u00c8",
                                                     "DELL'AR\xc8"}));

TEST_F(NameEntry, OkConfirmsLikeEnter) {
    Open();
    Type(L"marco");
    ClickOk();
    EXPECT_FALSE(FormOpen());
    EXPECT_EQ(PlayerName, "MARCO");
    EXPECT_EQ(destroyedCalls, 1);
    EXPECT_TRUE(IsWindowEnabled(owner->window));
}

TEST_F(NameEntry, AnEmptyNameIsRefusedWithoutAWord) {
    PlayerName = "ANNA";
    Open();
    PressEnter();
    ClickOk();
    EXPECT_TRUE(FormOpen());
    EXPECT_EQ(destroyedCalls, 0);
    EXPECT_EQ(PlayerName, "ANNA");
    EXPECT_FALSE(IsWindowEnabled(owner->window));
    EXPECT_EQ(BoxText(), L"");
    // Nothing else shows up over the window.
    EXPECT_EQ(FindWindowW(L"#32770", nullptr), nullptr);

    // The form still works afterwards.
    Type(L"x");
    PressEnter();
    EXPECT_FALSE(FormOpen());
    EXPECT_EQ(PlayerName, "X");
}

// Closing without confirming keeps the name confirmed last (or none), whatever
// the box holds; the owner hears of it all the same.
TEST_F(NameEntry, TheCloseBoxKeepsTheLastConfirmedName) {
    for (const char *earlier : {"", "ANNA"}) {
        SCOPED_TRACE(earlier);
        PlayerName = earlier;
        destroyedCalls = 0;
        Open();
        Type(L"zed");
        SendMessageW(form->window, WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump();
        EXPECT_FALSE(FormOpen());
        EXPECT_EQ(destroyedCalls, 1);
        EXPECT_EQ(nameWhenDestroyed, earlier);
        EXPECT_EQ(PlayerName, earlier);
        EXPECT_TRUE(ownerEnabledWhenDestroyed);
        EXPECT_EQ(owner->modalChild, nullptr);
        form.reset();
    }
}

TEST_F(NameEntry, DeletingTheOpenFormClosesItFirst) {
    Open();
    Type(L"eva");
    form.reset();
    EXPECT_EQ(destroyedCalls, 1);
    EXPECT_EQ(nameWhenDestroyed, "");
    EXPECT_TRUE(IsWindowEnabled(owner->window));
    EXPECT_EQ(owner->modalChild, nullptr);
}

TEST_F(NameEntry, ANewFormForTheNextGameStartsEmpty) {
    Open();
    Type(L"anna");
    PressEnter();
    // The game hands the old object to the loop's disposal list; here it goes now.
    form.reset();
    destroyedCalls = 0;
    Open();
    EXPECT_EQ(BoxText(), L"");
    EXPECT_FALSE(IsWindowEnabled(owner->window));
    SendMessageW(form->window, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_EQ(nameWhenDestroyed, "ANNA");
}

// A character the score table's single bytes cannot carry never reaches the
// name; above all nothing that could end a line of the table.
TEST_F(NameEntry, CharactersTheTableCannotHoldBecomeQuestionMarks) {
    Open();
    // U+010A narrowed naively would be a line feed, U+010D a carriage return.
    form->nameBox->SetText(WideText(L"A\u010aB\u010dC\u20acD\tE"));
    PressEnter();
    EXPECT_FALSE(FormOpen());
    EXPECT_EQ(PlayerName, "A?B?C?D?E");
}

TEST(StorableName, KeepsWhatOneByteHoldsAndMarksTheRest) {
    const struct {
        const wchar_t *typed;
        const char *kept;
    } cases[] = {
        {L"ANNA", "ANNA"},
        {L"", ""},
        {L"   ", "   "},
        {L"\u00c8\u00d2\u00ff\u00a0", "\xc8\xd2\xff\xa0"},
        {L"\u0100\u010a\u010d\u20ac", "????"},
        {L"a\nb\rc\x7f\x85", "a?b?c??"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(VeRize::StorableName(c.typed), c.kept) << testing::PrintToString(c.kept);
}

// The same through the keyboard: real key presses to the window in front.
void PressKey(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

TEST_F(NameEntry, RealKeyPressesTypeAndConfirm) {
    Open();
    SetForegroundWindow(form->window);
    Pump();
    ASSERT_EQ(GetForegroundWindow(), form->window);
    ASSERT_EQ(GetFocus(), form->nameBox->window);
    for (const WORD key : {WORD('A'), WORD('N'), WORD('N'), WORD('A')}) {
        PressKey(key, false);
        PressKey(key, true);
        Pump();
    }
    EXPECT_TRUE(SettlesTo([&] { return BoxText() == L"ANNA"; })) << BoxText();

    // Tab goes round the two controls that take the focus.
    PressKey(VK_TAB, false);
    PressKey(VK_TAB, true);
    EXPECT_TRUE(SettlesTo([&] { return GetFocus() == form->okButton->window; }));
    PressKey(VK_TAB, false);
    PressKey(VK_TAB, true);
    EXPECT_TRUE(SettlesTo([&] { return GetFocus() == form->nameBox->window; }));
    EXPECT_EQ(BoxText(), L"ANNA");

    PressKey(VK_RETURN, false);
    PressKey(VK_RETURN, true);
    EXPECT_TRUE(SettlesTo([&] { return !FormOpen(); }));
    EXPECT_EQ(PlayerName, "ANNA");
    EXPECT_EQ(destroyedCalls, 1);
    // The keys go to the owner again.
    EXPECT_TRUE(SettlesTo([&] { return GetForegroundWindow() == owner->window; }));
}

} // namespace
