// Buttons, labels, images and text boxes on real windows.
#include "tests/controls/Support.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panels.h"
#include "toolkit/controls/TextBox.h"
#include "toolkit/controls/Timer.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace ControlsTest {
namespace {

constexpr COLORREF Face = RGB(200, 200, 200);
constexpr COLORREF Ink = RGB(10, 120, 40);
constexpr COLORREF Red = RGB(220, 0, 0);
// A 100 x 40 button without its outline.
constexpr RECT Inside{1, 1, 99, 39};

// An owner-drawn button inside a panel that hands it Face and Ink.
class OwnerDrawnButton : public testing::Test {
protected:
    void SetUp() override {
        panel = std::make_unique<PanelChildren>(form.get());
        panel->x = 0;
        panel->y = 0;
        panel->SetSize(300, 200);
        panel->panelColor = Face;
        panel->textColor = Ink;
        panel->Create();
    }
    std::unique_ptr<Button> MakeButton(const char *caption, HBITMAP picture = nullptr) {
        auto button = std::make_unique<Button>(panel.get(), caption);
        button->x = 10;
        button->y = 10;
        button->SetSize(100, 40);
        button->ownerDraw = true;
        button->bitmapEnabled = picture;
        button->Create();
        return button;
    }
    FormLease form;
    std::unique_ptr<PanelChildren> panel;
};

struct ButtonLook {
    const char *name;
    COLORREF ink; // text colour the panel hands out
    bool disabled;
    bool pressed;
    COLORREF caption;
    COLORREF outline;
};

TEST_F(OwnerDrawnButton, PaintsCaptionAndOutlineForEachState) {
    const ButtonLook looks[] = {
        {"normal", Ink, false, false, Ink, Ink},
        {"pressed: outline is the complement", Ink, false, true, Ink, RGB(245, 135, 215)},
        {"pressed, black text: white outline", RGB(0, 0, 0), false, true, RGB(0, 0, 0),
         RGB(255, 255, 255)},
        {"disabled: grey whatever the context", Ink, true, false, RGB(150, 150, 150),
         RGB(105, 105, 105)},
    };
    for (const ButtonLook &look : looks) {
        SCOPED_TRACE(look.name);
        panel->textColor = look.ink;
        auto button = MakeButton("HHHH");
        if (look.disabled)
            button->SetEnabled(false);
        if (look.pressed)
            SendMessageW(button->window, BM_SETSTATE, TRUE, 0);
        Snapshot shot(button->window);
        ASSERT_EQ(shot.width, 100);
        EXPECT_EQ(shot.At(0, 0), look.outline);
        EXPECT_EQ(shot.At(99, 39), look.outline);
        EXPECT_EQ(shot.At(50, 0), look.outline);
        EXPECT_EQ(shot.At(1, 1), Face);
        EXPECT_GT(shot.CountIn(look.caption, Inside), 0) << "caption pixels";
        if (look.disabled) {
            EXPECT_EQ(shot.Count(Ink), 0);
        }
    }
}

TEST_F(OwnerDrawnButton, CentresCaptionWithoutPicture) {
    auto button = MakeButton("HH");
    Snapshot shot(button->window);
    const RECT caption = shot.BoxIn(Ink, Inside);
    ASSERT_LT(caption.left, caption.right);
    const int leftMargin = caption.left - 1;
    const int rightMargin = 98 - caption.right;
    EXPECT_LE(std::abs(leftMargin - rightMargin), 3) << leftMargin << " " << rightMargin;
}

TEST_F(OwnerDrawnButton, StartsCaptionAfterTwentyPixelPicture) {
    HBITMAP picture = MakeBitmap(20, 10, [](int, int) { return Red; });
    auto button = MakeButton("HH", picture);
    Snapshot shot(button->window);
    // The picture at x = 5 .. 24, vertically centred: (40 - 10) / 2 = 15.
    EXPECT_EQ(shot.At(5, 15), Red);
    EXPECT_EQ(shot.At(24, 24), Red);
    EXPECT_EQ(shot.At(4, 15), Face);
    EXPECT_EQ(shot.At(25, 15), Face);
    const int firstCaptionColumn = shot.BoxIn(Ink, Inside).left;
    // The caption box starts at 28; the glyph's own bearing is a pixel or two.
    EXPECT_GE(firstCaptionColumn, 28);
    EXPECT_LE(firstCaptionColumn, 31);
    button.reset();
    DeleteObject(picture);
}

TEST_F(OwnerDrawnButton, WithAnIconStartsCaptionAtForty) {
    HBITMAP colour = MakeBitmap(32, 32, [](int, int) { return Red; });
    HBITMAP mask = MakeBitmap(32, 32, [](int, int) { return RGB(0, 0, 0); });
    ICONINFO parts{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&parts);
    DeleteObject(colour);
    DeleteObject(mask);
    ASSERT_NE(icon, nullptr);
    auto button = MakeButton("HH");
    button->iconEnabled = icon;
    InvalidateRect(button->window, nullptr, TRUE);
    Snapshot shot(button->window);
    // 32 x 32 at x = 5, y = (40 - 32) / 2 = 4.
    EXPECT_EQ(shot.At(5, 4), Red);
    EXPECT_EQ(shot.At(36, 35), Red);
    EXPECT_EQ(shot.At(37, 20), Face);
    const int firstCaptionColumn = shot.BoxIn(Ink, Inside).left;
    EXPECT_GE(firstCaptionColumn, 40);
    EXPECT_LE(firstCaptionColumn, 43);
    button.reset();
    DestroyIcon(icon);
}

TEST_F(OwnerDrawnButton, ShowsThePictureOfItsState) {
    constexpr COLORREF Blue = RGB(0, 0, 230);
    HBITMAP onPicture = MakeBitmap(20, 10, [](int, int) { return Red; });
    HBITMAP offPicture = MakeBitmap(12, 10, [](int, int) { return Blue; });
    auto button = MakeButton("HH", onPicture);
    button->bitmapDisabled = offPicture;
    button->SetEnabled(false);
    Snapshot shot(button->window);
    EXPECT_EQ(shot.At(5, 15), Blue);
    EXPECT_EQ(shot.At(18, 15), Face); // the caption starts at 12 + 8 = 20
    EXPECT_EQ(shot.Count(Red), 0);
    button.reset();
    DeleteObject(onPicture);
    DeleteObject(offPicture);
}

TEST_F(OwnerDrawnButton, DrawsAFocusRectangleInsetByThree) {
    auto button = MakeButton("HH");
    EXPECT_EQ(Snapshot(button->window).CountIn(Face, RECT{3, 3, 97, 4}), 94);
    button->Focus();
    ASSERT_EQ(GetFocus(), button->window);
    InvalidateRect(button->window, nullptr, TRUE);
    Snapshot shot(button->window);
    // A dotted line along row 3 and column 3; row 2 stays the background.
    EXPECT_LT(shot.CountIn(Face, RECT{3, 3, 97, 4}), 94);
    EXPECT_LT(shot.CountIn(Face, RECT{3, 3, 4, 37}), 34);
    EXPECT_EQ(shot.CountIn(Face, RECT{3, 2, 97, 3}), 94);
}

TEST_F(OwnerDrawnButton, ClickReachesOnCommandOnce) {
    auto button = MakeButton("OK");
    int calls = 0;
    GUIElement *seen = nullptr;
    button->onCommand = [&](GUIElement *element) {
        ++calls;
        seen = element;
    };
    SendMessageW(button->window, BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seen, button.get());
}

// --- creation ---

TEST(NativeControls, AreSubclassedToTheSharedProcedure) {
    auto form = MakeForm();
    Button button(form.get(), "B");
    Label label(form.get(), "L");
    TextBox box(form.get(), "T");
    for (GUIElement *element :
         {static_cast<GUIElement *>(&button), static_cast<GUIElement *>(&label),
          static_cast<GUIElement *>(&box)}) {
        SCOPED_TRACE(element->kind);
        const std::int32_t before = CurrentIdCounter();
        element->Create();
        EXPECT_EQ(element->id, before + 1);
        ASSERT_NE(element->window, nullptr);
        EXPECT_EQ(GetDlgCtrlID(element->window), element->id);
        EXPECT_EQ(GetParent(element->window), form->window);
        EXPECT_NE(element->controlProc, nullptr);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(element->window, GWLP_WNDPROC)),
                  &WindowProc);
        EXPECT_EQ(FindByWindow(element->window), element);
    }
}

TEST(NativeControls, FailedCreationCountsAsCreatedExceptForImages) {
    // A parent without a window: no child window can be made.
    Form windowless(Instance(), false);
    struct Case {
        const char *name;
        std::function<std::unique_ptr<GUIElement>()> make;
        bool created;
    };
    const Case cases[] = {
        {"button", [&] { return std::make_unique<Button>(&windowless, "B"); }, true},
        {"label", [&] { return std::make_unique<Label>(&windowless, "L"); }, true},
        {"textbox", [&] { return std::make_unique<TextBox>(&windowless, "T"); }, true},
        {"timer", [&] { return std::make_unique<Timer>(&windowless, 30); }, true},
        {"image", [&] { return std::make_unique<Image>(&windowless, ProbeResource); }, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto element = c.make();
        element->Create();
        EXPECT_EQ(element->window, nullptr);
        EXPECT_EQ(element->created, c.created);
        const std::int32_t idAfterFirst = element->id;
        element->Create();
        // A created element never tries again; an image does.
        EXPECT_EQ(element->id == idAfterFirst, c.created);
    }
}

// --- Image ---

std::string WriteBitmapFile(const char *name, COLORREF color) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + name;
    const int w = 8, h = 6;
    const int rowBytes = w * 3 + ((4 - w * 3 % 4) % 4);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + rowBytes * h;
    info.biSize = sizeof(info);
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(rowBytes) * h, 0);
    for (int row = 0; row < h; ++row)
        for (int column = 0; column < w; ++column) {
            unsigned char *p = &pixels[static_cast<std::size_t>(row) * rowBytes + column * 3];
            p[0] = GetBValue(color);
            p[1] = GetGValue(color);
            p[2] = GetRValue(color);
        }
    FILE *out = std::fopen(path.c_str(), "wb");
    std::fwrite(&file, sizeof(file), 1, out);
    std::fwrite(&info, sizeof(info), 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    std::fclose(out);
    return path;
}

HBITMAP Shown(const Image &image) {
    return reinterpret_cast<HBITMAP>(SendMessageW(image.window, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

TEST(ImageControl, LoadsItsResourceAtCreationAndFreesReplacedBitmaps) {
    auto form = MakeForm();
    constexpr COLORREF FileColor = RGB(200, 40, 160);
    const std::string path = WriteBitmapFile("corvanta-image-test.bmp", FileColor);

    auto image = std::make_unique<Image>(form.get(), ProbeResource);
    image->x = 20;
    image->y = 20;
    EXPECT_EQ(image->imageBitmap, nullptr); // nothing loads before the window exists
    image->Create();
    ASSERT_TRUE(image->created);
    HBITMAP first = image->imageBitmap;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Shown(*image), first);
    EXPECT_EQ(PixelAt(image->window, 3, 3), ProbeResourceColor);

    image->SetImageFile(path);
    HBITMAP second = image->imageBitmap;
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetObjectType(first), 0u) << "the replaced bitmap is freed";
    EXPECT_EQ(Shown(*image), second);
    EXPECT_EQ(image->resourceId, -1);
    InvalidateRect(image->window, nullptr, TRUE);
    EXPECT_EQ(PixelAt(image->window, 3, 3), FileColor);

    // An id of 0 or below is stored and loads nothing.
    for (int id : {0, -7}) {
        image->SetImageResource(id);
        EXPECT_EQ(image->resourceId, id);
        EXPECT_TRUE(image->imageFile.empty());
        EXPECT_EQ(image->imageBitmap, second);
    }

    // A file that cannot be loaded leaves the picture empty.
    image->SetImageFile(path + ".missing");
    EXPECT_EQ(image->imageBitmap, nullptr);
    EXPECT_EQ(Shown(*image), nullptr);
    EXPECT_EQ(GetObjectType(second), 0u);

    image->SetImageResource(ProbeResource);
    HBITMAP last = image->imageBitmap;
    ASSERT_NE(last, nullptr);
    image.reset();
    EXPECT_EQ(GetObjectType(last), 0u) << "the image deletes its bitmap";
    DeleteFileA(path.c_str());
}

TEST(ImageControl, FromAFileGivenBeforeCreation) {
    auto form = MakeForm();
    constexpr COLORREF FileColor = RGB(20, 40, 250);
    const std::string path = WriteBitmapFile("corvanta-image-early.bmp", FileColor);
    Image image(form.get(), ProbeResource);
    image.SetImageFile(path);
    EXPECT_EQ(image.imageBitmap, nullptr);
    image.Create();
    ASSERT_NE(image.imageBitmap, nullptr);
    EXPECT_EQ(PixelAt(image.window, 1, 1), FileColor);
    DeleteFileA(path.c_str());
}

// --- TextBox ---

std::wstring TypeInto(TextBox &box, const std::wstring &keys) {
    for (wchar_t key : keys)
        SendMessageW(box.window, WM_CHAR, key, 1);
    return box.GetText();
}

struct BoxCase {
    const char *name;
    std::function<void(TextBox &)> configure;
    DWORD styleOn;
    DWORD styleOff;
    std::wstring typed;
    std::wstring expected;
};

TEST(TextBoxControl, FlagsGiveStyleAndBehaviour) {
    auto form = MakeForm();
    const BoxCase cases[] = {
        {"plain", [](TextBox &) {}, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
         ES_MULTILINE | ES_READONLY, L"aBc", L"aBc"},
        {"upper and lower: upper wins",
         [](TextBox &b) {
             b.upperCase = true;
             b.lowerCase = true;
         },
         ES_UPPERCASE, ES_LOWERCASE, L"aBc", L"ABC"},
        {"lower", [](TextBox &b) { b.lowerCase = true; }, ES_LOWERCASE, ES_UPPERCASE, L"aBc",
         L"abc"},
        {"multi-line with word wrap: no horizontal scrolling",
         [](TextBox &b) {
             b.multiLine = true;
             b.wordWrap = true;
         },
         ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, ES_AUTOHSCROLL, L"", L""},
        {"multi-line scrolls horizontally", [](TextBox &b) { b.multiLine = true; },
         ES_MULTILINE | ES_AUTOHSCROLL, 0, L"", L""},
        {"right and centred: right wins",
         [](TextBox &b) {
             b.rightAlign = true;
             b.centered = true;
         },
         ES_RIGHT, ES_CENTER, L"", L""},
        {"centred", [](TextBox &b) { b.centered = true; }, ES_CENTER, ES_RIGHT, L"", L""},
        {"read-only takes no typing", [](TextBox &b) { b.readOnly = true; }, ES_READONLY, 0, L"xyz",
         L""},
        {"numbers only", [](TextBox &b) { b.numbersOnly = true; }, ES_NUMBER, 0, L"1a2", L"12"},
        {"no border", [](TextBox &b) { b.border = false; }, 0, WS_BORDER, L"", L""},
        {"scroll bars",
         [](TextBox &b) {
             b.horizontalScrollBar = true;
             b.verticalScrollBar = true;
         },
         WS_HSCROLL | WS_VSCROLL, 0, L"", L""},
        {"disabled", [](TextBox &b) { b.enabled = false; }, WS_DISABLED, 0, L"", L""},
        {"ten characters at most", [](TextBox &b) { b.maxLength = 10; }, 0, 0, L"abcdefghijklmno",
         L"abcdefghij"},
        {"no limit", [](TextBox &b) { b.maxLength = -1; }, 0, 0, L"abcdefghijklmno",
         L"abcdefghijklmno"},
    };
    for (const BoxCase &c : cases) {
        SCOPED_TRACE(c.name);
        TextBox box(form.get(), "");
        box.x = 10;
        box.y = 10;
        box.SetSize(200, 60);
        c.configure(box);
        box.Create();
        ASSERT_NE(box.window, nullptr);
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(box.window, GWL_STYLE));
        EXPECT_EQ(style & c.styleOn, c.styleOn);
        EXPECT_EQ(style & c.styleOff, 0u);
        const DWORD extended = static_cast<DWORD>(GetWindowLongPtrW(box.window, GWL_EXSTYLE));
        EXPECT_EQ((extended & WS_EX_CLIENTEDGE) != 0, box.border);
        EXPECT_EQ(TypeInto(box, c.typed), c.expected);
        DestroyWindow(box.window);
    }
}

TEST(TextBoxControl, UpdateStyleAppliesFlagsToTheWindow) {
    auto form = MakeForm();
    TextBox box(form.get(), "abc");
    box.UpdateStyle(); // without a window: nothing
    box.Create();
    EXPECT_EQ(SendMessageW(box.window, EM_GETPASSWORDCHAR, 0, 0), 0);

    box.password = true;
    box.readOnly = true;
    box.UpdateStyle();
    EXPECT_EQ(SendMessageW(box.window, EM_GETPASSWORDCHAR, 0, 0), L'*');
    EXPECT_NE(GetWindowLongPtrW(box.window, GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(TypeInto(box, L"zz"), L"abc");

    box.password = false;
    box.readOnly = false;
    box.UpdateStyle();
    EXPECT_EQ(SendMessageW(box.window, EM_GETPASSWORDCHAR, 0, 0), 0);
    SendMessageW(box.window, EM_SETSEL, 3, 3);
    EXPECT_EQ(TypeInto(box, L"d"), L"abcd");
}

TEST(TextBoxControl, PasswordBoxHidesItsTextFromTheStart) {
    auto form = MakeForm();
    TextBox box(form.get(), "secret");
    box.password = true;
    box.Create();
    EXPECT_EQ(SendMessageW(box.window, EM_GETPASSWORDCHAR, 0, 0), L'*');
    EXPECT_EQ(box.GetNarrowText(), "secret");
}

TEST(TextBoxControl, TextReadsBackAfterTyping) {
    auto form = MakeForm();
    TextBox box(form.get(), "ab");
    box.Create();
    SendMessageW(box.window, EM_SETSEL, 2, 2);
    TypeInto(box, L"c");
    EXPECT_EQ(box.GetNarrowText(), "abc");
    EXPECT_EQ(box.text, L"abc");
}

// --- Label ---

TEST(LabelControl, StyleFollowsFlags) {
    auto form = MakeForm();
    struct Case {
        const char *name;
        bool border, right, centred;
        DWORD on, off;
    };
    const Case cases[] = {
        {"plain", false, false, false, SS_NOTIFY, WS_BORDER | SS_RIGHT | SS_CENTER},
        {"right wins over centred", false, true, true, SS_RIGHT, SS_CENTER},
        {"centred", false, false, true, SS_CENTER, SS_RIGHT},
        {"border", true, false, false, WS_BORDER, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Label label(form.get(), "text");
        label.border = c.border;
        label.rightAlign = c.right;
        label.centered = c.centred;
        label.Create();
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(label.window, GWL_STYLE));
        EXPECT_EQ(style & c.on, c.on);
        EXPECT_EQ(style & c.off, 0u);
        const DWORD extended = static_cast<DWORD>(GetWindowLongPtrW(label.window, GWL_EXSTYLE));
        EXPECT_EQ((extended & WS_EX_CLIENTEDGE) != 0, c.border);
        EXPECT_EQ(label.GetNarrowText(), "text");
        DestroyWindow(label.window);
    }
}

} // namespace
} // namespace ControlsTest
