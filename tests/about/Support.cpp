#include "tests/about/Support.h"

#include <gtest/gtest.h>

namespace AboutTest {

namespace {

Form *owner = nullptr;

class OwnerEnvironment : public testing::Environment {
public:
    void TearDown() override {
        delete owner;
        owner = nullptr;
        Pump();
    }
};

[[maybe_unused]] testing::Environment *const environment =
    testing::AddGlobalTestEnvironment(new OwnerEnvironment);

} // namespace

void PressKey(HWND target, UINT virtualKey) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | scan);
    PostMessageW(target, WM_KEYUP, virtualKey, 1 | scan | (LPARAM{1} << 30) | (LPARAM{1} << 31));
    Pump();
}

Form &Owner() {
    if (owner == nullptr) {
        owner = new Form(GetModuleHandleW(nullptr), false);
        owner->SetText(NarrowText("Corvanta"));
        owner->x = 0;
        owner->y = 0;
        owner->width = 640;
        owner->height = 480;
        owner->sizable = false;
        owner->backColor = RGB(0, 0, 255);
        owner->Create();
        Pump();
    }
    return *owner;
}

void Open(FormAbout &box, const NarrowText &webAddress) {
    box.bannerId = BannerId;
    box.bannerWidth = BannerWidth;
    box.bannerHeight = BannerHeight;
    box.titleText = TitleText;
    box.creditText = CreditText;
    box.webAddress = webAddress;
    box.noticeText = NoticeText;
    if (box.window == nullptr)
        box.Create();
    ShowWindow(box.window, SW_SHOWNOACTIVATE);
    box.visible = true;
    Pump();
}

std::unique_ptr<FormAbout> OpenBox(const NarrowText &webAddress) {
    auto box = std::make_unique<FormAbout>(&Owner());
    Open(*box, webAddress);
    return box;
}

RECT PlaceOf(const GUIElement &element) {
    RECT place{};
    GetWindowRect(element.window, &place);
    MapWindowPoints(nullptr, GetParent(element.window), reinterpret_cast<POINT *>(&place), 2);
    return place;
}

} // namespace AboutTest
