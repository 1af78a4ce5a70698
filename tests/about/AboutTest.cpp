#include "tests/about/Support.h"

#include "toolkit/controls/Button.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panels.h"
#include "toolkit/controls/TextBox.h"
#include "toolkit/core/WindowProc.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace AboutTest {

namespace {

// A box that notes the client size its contents were laid out for.
class MeasuredAbout : public FormAbout {
public:
    using FormAbout::FormAbout;
    SIZE layoutClient{};
    void FormCreated() override {
        RECT client{};
        GetClientRect(window, &client);
        layoutClient = {client.right, client.bottom};
        FormAbout::FormCreated();
    }
};

// A box that counts how many boxes of its kind were freed.
class CountedAbout : public FormAbout {
public:
    using FormAbout::FormAbout;
    static inline int freed = 0;
    ~CountedAbout() override { ++freed; }
};

// Records what the box asks to open instead of starting a browser.
struct OpenedLinks {
    std::vector<NarrowText> targets;
    LinkOpener Recorder() {
        return [this](const NarrowText &target) {
            targets.push_back(target);
            return true;
        };
    }
};

bool OwnerReleased() {
    return IsWindowEnabled(Owner().window) && Owner().modalChild == nullptr;
}

NarrowText WindowText(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return Narrow(buffer);
}

void Click(const GUIElement &element, int atX, int atY) {
    PostMessageW(element.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(atX, atY));
    PostMessageW(element.window, WM_LBUTTONUP, 0, MAKELPARAM(atX, atY));
    Pump();
}

} // namespace

// --- layout ---

TEST(AboutLayout, ControlsSitInTheColumnRightOfTheBanner) {
    MeasuredAbout box(&Owner());
    Open(box);
    const int w = box.layoutClient.cx;
    const int h = box.layoutClient.cy;
    ASSERT_GT(w, 300);
    ASSERT_GT(h, 150);

    struct Place {
        const char *name;
        const GUIElement *element;
        RECT expected; // left, top, right, bottom in the parent's client area
    };
    const int column = 209; // banner width 164 + 45
    const int columnWidth = w - 219;
    const int okLeft = column + columnWidth / 2 - 40;
    const Place places[] = {
        {"banner panel", box.bannerPanel.get(), {10, 10, 10 + 184, h - 10}},
        {"banner", box.banner.get(), {5, 5, 5 + 164, 5 + 50}},
        {"title", box.titleLabel.get(), {column, 10, column + columnWidth, 35}},
        {"credit", box.creditLabel.get(), {column, 35, column + columnWidth, 60}},
        {"web link", box.webLink.get(), {column, 55, column + 150, 77}},
        {"mail link", box.mailLink.get(), {column + 160, 55, column + 310, 77}},
        {"notice", box.noticeBox.get(), {column, 85, column + columnWidth, h - 60}},
        {"OK", box.okButton.get(), {okLeft, h - 50, okLeft + 80, h - 25}},
    };
    for (const Place &place : places) {
        SCOPED_TRACE(place.name);
        ASSERT_NE(place.element, nullptr);
        const RECT actual = PlaceOf(*place.element);
        EXPECT_EQ(actual.left, place.expected.left);
        EXPECT_EQ(actual.top, place.expected.top);
        EXPECT_EQ(actual.right, place.expected.right);
        EXPECT_EQ(actual.bottom, place.expected.bottom);
    }
    EXPECT_EQ(GetParent(box.banner->window), box.bannerPanel->window);
}

TEST(AboutLayout, OpensAsTheOwnersModalChildWithFocusOnOk) {
    auto box = OpenBox();
    EXPECT_EQ(WindowText(box->window), "Info...");
    EXPECT_FALSE(IsWindowEnabled(Owner().window));
    EXPECT_EQ(Owner().modalChild, box.get());

    const LONG_PTR style = GetWindowLongPtrW(box->window, GWL_STYLE);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_EQ(style & DS_MODALFRAME, DS_MODALFRAME);
    EXPECT_EQ(GetFocus(), box->okButton->window);

    // Centred on the screen at 600 x 300 before the window existed.
    EXPECT_EQ(box->x, (GetSystemMetrics(SM_CXSCREEN) - 600) / 2);
    EXPECT_EQ(box->y, (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);

    EXPECT_EQ(WindowText(box->titleLabel->window), TitleText);
    EXPECT_EQ(WindowText(box->creditLabel->window), CreditText);
    EXPECT_EQ(WindowText(box->noticeBox->window), NoticeText);
    EXPECT_EQ(WindowText(box->okButton->window), "OK");
    EXPECT_NE(SendMessageW(box->banner->window, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);

    const LONG_PTR notice = GetWindowLongPtrW(box->noticeBox->window, GWL_STYLE);
    EXPECT_EQ(notice & (ES_MULTILINE | ES_READONLY | WS_VSCROLL),
              ES_MULTILINE | ES_READONLY | WS_VSCROLL);
    EXPECT_NE(GetWindowLongPtrW(box->bannerPanel->window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);

    for (const CellControl *link : {box->webLink.get(), box->mailLink.get()}) {
        EXPECT_EQ(link->textColor, RGB(0, 0, 255));
        EXPECT_EQ(link->textAlign, 0);
        EXPECT_EQ(link->font, &box->linkFont);
        // The hand shows over the links.
        EXPECT_TRUE(SendMessageW(link->window, WM_SETCURSOR, reinterpret_cast<WPARAM>(link->window),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    }
}

// --- links ---

TEST(AboutLinks, MailAddressIsMadeFromTheWebAddress) {
    const struct {
        NarrowText web;
        NarrowText mail;
    } cases[] = {
        {"http://www.example.com", "info@example.com"},
        {"http://www.esempio.it/giochi", "info@esempio.it/giochi"},
        {"http://example.com", "http://example.com"},           // nothing to replace
        {"https://www.example.com", "https://www.example.com"}, // only "http://www."
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.web);
        EXPECT_EQ(FormAbout::MailAddressFor(c.web), c.mail);
    }

    // The box shows both.
    auto box = OpenBox("http://www.esempio.it");
    EXPECT_EQ(box->webLink->GetNarrowText(), "http://www.esempio.it");
    EXPECT_EQ(box->mailLink->GetNarrowText(), "info@esempio.it");
}

TEST(AboutLinks, PressingALinkOpensItsTarget) {
    OpenedLinks opened;
    auto box = OpenBox();
    box->openLink = opened.Recorder();

    Click(*box->webLink, 10, 10);
    Click(*box->mailLink, 10, 10);
    // Other controls open nothing.
    Click(*box->titleLabel, 10, 10);
    Click(*box->noticeBox, 10, 10);
    // The mail link opens what it shows now.
    box->mailLink->SetText(NarrowText("ufficio@esempio.it"));
    Click(*box->mailLink, 20, 5);

    EXPECT_EQ(opened.targets,
              (std::vector<NarrowText>{"http://www.example.com", "mailto:info@example.com",
                                       "mailto:ufficio@esempio.it"}));
    EXPECT_TRUE(IsWindow(box->window));
}

// --- closing ---

TEST(AboutClosing, EnterAndEscapeCloseTheBoxFromAnyControl) {
    const struct {
        const char *name;
        std::function<HWND(FormAbout &)> target;
        UINT key;
    } cases[] = {
        {"Enter on OK", [](FormAbout &b) { return b.okButton->window; }, VK_RETURN},
        {"Escape on OK", [](FormAbout &b) { return b.okButton->window; }, VK_ESCAPE},
        {"Enter in the notice", [](FormAbout &b) { return b.noticeBox->window; }, VK_RETURN},
        {"Escape in the notice", [](FormAbout &b) { return b.noticeBox->window; }, VK_ESCAPE},
        {"Escape on a link", [](FormAbout &b) { return b.mailLink->window; }, VK_ESCAPE},
        {"Enter on the box", [](FormAbout &b) { return b.window; }, VK_RETURN},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto box = OpenBox();
        const HWND boxWindow = box->window;
        PressKey(c.target(*box), c.key);
        EXPECT_FALSE(IsWindow(boxWindow));
        EXPECT_FALSE(box->created);
        EXPECT_TRUE(OwnerReleased());
    }
}

TEST(AboutClosing, OkButtonAndCloseBoxReleaseTheOwner) {
    {
        auto box = OpenBox();
        SendMessageW(box->okButton->window, BM_CLICK, 0, 0);
        Pump();
        EXPECT_FALSE(IsWindow(box->window));
        EXPECT_TRUE(OwnerReleased());
    }
    {
        auto box = OpenBox();
        SendMessageW(box->window, WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump();
        EXPECT_FALSE(IsWindow(box->window));
        EXPECT_TRUE(OwnerReleased());
    }
}

TEST(AboutClosing, OtherCharactersInTheNoticeDoTheirUsualWork) {
    auto box = OpenBox();
    const HWND notice = box->noticeBox->window;

    // A letter: the box stays open, and the read-only notice keeps its text.
    PressKey(notice, 'X');
    ASSERT_TRUE(IsWindow(box->window));
    EXPECT_EQ(WindowText(notice), NoticeText);

    // Ctrl+C copies the selection.
    SendMessageW(notice, EM_SETSEL, 0, 8);
    SendMessageW(notice, WM_CHAR, 3, 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(data, nullptr);
    const NarrowText copied = Narrow(static_cast<const wchar_t *>(GlobalLock(data)));
    GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(copied, "Corvanta");

    EXPECT_TRUE(IsWindow(box->window));
    EXPECT_FALSE(IsWindowEnabled(Owner().window));
}

// --- lifetime ---

TEST(AboutLifetime, BoxesReplacedByTheOwnerAreFreedAfterTheLoop) {
    CountedAbout::freed = 0;
    FormAbout *current = nullptr;
    // What the owner's "Info" button does.
    auto pressInfo = [&current] {
        if (current != nullptr)
            DisposeAfterLoop(current);
        current = new CountedAbout(&Owner());
        Open(*current);
    };

    pressInfo();
    FormAbout *first = current;
    PressKey(first->okButton->window, VK_ESCAPE);
    ASSERT_TRUE(OwnerReleased());
    pressInfo();
    EXPECT_NE(current, first);
    EXPECT_EQ(Owner().modalChild, current);
    EXPECT_EQ(CountedAbout::freed, 0);

    PostQuitMessage(0);
    RunMessageLoop(nullptr);
    EXPECT_EQ(CountedAbout::freed, 1); // the first, through the disposal list

    // The owner's teardown deletes the box it still points to, still open.
    delete current;
    EXPECT_EQ(CountedAbout::freed, 2);
    EXPECT_TRUE(OwnerReleased());
}

TEST(AboutLifetime, ABoxThatNeverOpenedStillReleasesItsOwner) {
    {
        FormAbout box(&Owner());
        EXPECT_FALSE(IsWindowEnabled(Owner().window));
    }
    EXPECT_TRUE(OwnerReleased());
}

TEST(AboutLifetime, ClosingLeavesAnOwnerThatAnotherFormHasTakenOver) {
    auto box = OpenBox();
    // A second form (the name entry after a game that ended meanwhile) takes
    // the owner over while the box is open.
    Form other(GetModuleHandleW(nullptr), true);
    Owner().modalChild = &other;

    PressKey(box->okButton->window, VK_RETURN);
    EXPECT_FALSE(IsWindow(box->window));
    EXPECT_EQ(Owner().modalChild, &other);
    EXPECT_FALSE(IsWindowEnabled(Owner().window));

    // The other form lets go in its turn.
    Owner().modalChild = nullptr;
    Owner().SetEnabled(true);
}

} // namespace AboutTest
