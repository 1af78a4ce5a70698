#include "about/FormAbout.h"

#include "toolkit/controls/Button.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panels.h"
#include "toolkit/controls/TextBox.h"
#include "toolkit/core/System.h"

namespace OrvoUtility {

namespace {

constexpr std::int32_t boxWidth = 600;
constexpr std::int32_t boxHeight = 300;
constexpr COLORREF linkColor = RGB(0, 0, 255);
constexpr std::int32_t alignLeft = 0;
constexpr wchar_t enterKey = 13;
constexpr wchar_t escapeKey = 27;

// The box a control lives in.
FormAbout *ParentBox(GUIElement *element) {
    return element != nullptr ? dynamic_cast<FormAbout *>(element->parent) : nullptr;
}

// The box a character belongs to: the element itself, or its parent.
FormAbout *BoxOf(GUIElement *element) {
    if (auto *box = dynamic_cast<FormAbout *>(element))
        return box;
    return ParentBox(element);
}

void PlaceAt(GUIElement &element, std::int32_t atX, std::int32_t atY) {
    element.x = atX;
    element.y = atY;
}

} // namespace

FormAbout::FormAbout(Form *ownerForm)
    : Form(ownerForm != nullptr ? ownerForm->instance : nullptr, true), owner(ownerForm),
      titleFont("Arial", 16), linkFont("Arial", 16), formFont("Arial", 14),
      openLink(OpenWithShell) {
    titleFont.bold = true;
    linkFont.underline = true;
    font = &formFont;

    minimizeBox = false;
    sizable = false;
    modalFrame = true;
    SetSize(boxWidth, boxHeight);
    CenterOnScreen();
    SetText(NarrowText("Info..."));

    onCreated = [](GUIElement *element, HWND) { static_cast<FormAbout *>(element)->FormCreated(); };
    onCloseQuery = [](GUIElement *element) {
        return static_cast<FormAbout *>(element)->FormClosing();
    };
    onResized = [](GUIElement *element) { static_cast<FormAbout *>(element)->FormResized(); };
    onChar = RouteChar;
    onKeyDown = [](GUIElement *element, int key) {
        static_cast<FormAbout *>(element)->FormKeyDown(key);
    };
    onKeyUp = [](GUIElement *element, int key) {
        static_cast<FormAbout *>(element)->FormKeyUp(key);
    };

    if (owner != nullptr) {
        owner->SetEnabled(false);
        owner->modalChild = this;
        ownerHeld = true;
    }
}

FormAbout::~FormAbout() {
    CloseAndDestroy();
    ReleaseOwner();
}

NarrowText FormAbout::MailAddressFor(const NarrowText &web) {
    return ReplaceAll(web, "http://www.", "info@");
}

void FormAbout::FormCreated() {
    RECT client{};
    GetClientRect(window, &client);
    const std::int32_t clientWidth = client.right - client.left;
    const std::int32_t clientHeight = client.bottom - client.top;
    // The text column right of the banner.
    const std::int32_t columnX = bannerWidth + 45;
    const std::int32_t columnWidth = clientWidth - bannerWidth - 55;

    // Every control closes the box on Enter and Escape.
    auto make = [](GUIElement &element) {
        element.onChar = RouteChar;
        element.Create();
    };
    auto makeLink = [&](std::unique_ptr<CellControl> &link, const NarrowText &shown,
                        std::int32_t atX) {
        link = std::make_unique<CellControl>(this);
        link->SetTextColor(linkColor);
        link->SetTextAlign(alignLeft);
        link->SetText(shown);
        link->SetHandCursor(true);
        link->onLeftButtonDown = RouteLink;
        link->font = &linkFont;
        link->SetSize(150, 22);
        PlaceAt(*link, atX, 55);
        make(*link);
    };

    bannerPanel = std::make_unique<PanelChildren>(this);
    bannerPanel->SetSize(bannerWidth + 20, clientHeight - 20);
    PlaceAt(*bannerPanel, 10, 10);
    bannerPanel->SetBorder(true, false);
    make(*bannerPanel);

    banner = std::make_unique<Image>(bannerPanel.get(), bannerId);
    banner->SetSize(bannerWidth, bannerHeight);
    PlaceAt(*banner, 5, 5);
    make(*banner);

    titleLabel = std::make_unique<Label>(this, titleText);
    titleLabel->SetSize(columnWidth, 25);
    PlaceAt(*titleLabel, columnX, 10);
    titleLabel->font = &titleFont;
    make(*titleLabel);

    creditLabel = std::make_unique<Label>(this, creditText);
    creditLabel->SetSize(columnWidth, 25);
    PlaceAt(*creditLabel, columnX, 35);
    creditLabel->font = &formFont;
    make(*creditLabel);

    makeLink(webLink, webAddress, columnX);
    makeLink(mailLink, MailAddressFor(webAddress), columnX + 160);

    noticeBox = std::make_unique<TextBox>(this, noticeText);
    noticeBox->SetSize(columnWidth, clientHeight - 145);
    PlaceAt(*noticeBox, columnX, 85);
    noticeBox->multiLine = true;
    noticeBox->readOnly = true;
    noticeBox->verticalScrollBar = true; // creation applies the flags
    make(*noticeBox);

    // Centred under the text column; its window does not exist yet, so the
    // width is the stored one.
    okButton = std::make_unique<Button>(this, "OK");
    okButton->SetSize(80, 25);
    PlaceAt(*okButton, columnX + columnWidth / 2 - okButton->width / 2, clientHeight - 50);
    okButton->onCommand = RouteCommand;
    make(*okButton);

    okButton->Focus();
}

bool FormAbout::FormClosing() {
    UnregisterHotKeys();
    ReleaseOwner();
    return true;
}

void FormAbout::FormResized() {}

bool FormAbout::FormChar(wchar_t code) {
    if (code != enterKey && code != escapeKey)
        return true;
    FormCommand(okButton.get());
    return false;
}

void FormAbout::FormKeyDown(int) {}

void FormAbout::FormKeyUp(int) {}

void FormAbout::FormCommand(GUIElement *element) {
    if (element == nullptr || okButton == nullptr || element->id != okButton->id)
        return;
    if (window != nullptr && !destroyed)
        SendMessageW(window, WM_CLOSE, 0, 0);
    created = false;
}

void FormAbout::FormLinkPressed(GUIElement *element, int, int) {
    if (element == nullptr || !openLink)
        return;
    if (webLink != nullptr && element->id == webLink->id)
        openLink(webAddress);
    else if (mailLink != nullptr && element->id == mailLink->id)
        openLink("mailto:" + mailLink->GetNarrowText());
}

void FormAbout::HandleShown() {
    SetClientSize(boxWidth, boxHeight);
}

void FormAbout::ReleaseOwner() {
    if (!ownerHeld)
        return;
    ownerHeld = false;
    // Another box may have taken the owner over meanwhile (a game that ends
    // while this box is open opens the name entry over the same owner): it
    // keeps the owner disabled until it closes in turn.
    if (owner->modalChild == this)
        owner->modalChild = nullptr;
    if (owner->modalChild == nullptr)
        owner->SetEnabled(true);
}

bool FormAbout::RouteChar(GUIElement *element, wchar_t code) {
    FormAbout *box = BoxOf(element);
    return box != nullptr ? box->FormChar(code) : true;
}

void FormAbout::RouteLink(GUIElement *element, HWND, int atX, int atY) {
    if (FormAbout *box = ParentBox(element))
        box->FormLinkPressed(element, atX, atY);
}

void FormAbout::RouteCommand(GUIElement *element) {
    if (FormAbout *box = ParentBox(element))
        box->FormCommand(element);
}

} // namespace OrvoUtility
