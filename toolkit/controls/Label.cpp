#include "toolkit/controls/Label.h"

#include "toolkit/controls/ControlWindow.h"
#include "toolkit/core/Drawing.h"

namespace OrvoUtility {

Label::Label(GUIElement *parentElement, const NarrowText &caption) : Child(nullptr) {
    kind = "label";
    parent = parentElement;
    text = Widen(caption);
    width = 80;
    height = 30;
}

void Label::Create() {
    if (created)
        return;
    DWORD style = WS_CHILD | WS_VISIBLE | SS_NOTIFY;
    if (!enabled)
        style |= WS_DISABLED;
    if (border)
        style |= WS_BORDER;
    if (rightAlign)
        style |= SS_RIGHT;
    else if (centered)
        style |= SS_CENTER;
    MakeControlWindow(*this, L"static", style, border ? WS_EX_CLIENTEDGE : 0);
    SubclassControl(*this);
    created = true;
    AttachTooltipAndFont(*this);
}

Image::Image(GUIElement *parentElement, std::int32_t bitmapResource) : Child(nullptr) {
    kind = "image";
    parent = parentElement;
    resourceId = bitmapResource;
}

Image::~Image() {
    if (imageBitmap != nullptr)
        DeleteObject(imageBitmap);
}

void Image::ShowBitmap(HBITMAP bitmap) {
    // The control lets go of the old picture before it is deleted.
    SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    if (imageBitmap != nullptr && imageBitmap != bitmap)
        DeleteObject(imageBitmap);
    imageBitmap = bitmap;
}

void Image::SetImageFile(const NarrowText &path) {
    imageFile = path;
    resourceId = -1;
    if (!HasWindow() || path.empty())
        return;
    ShowBitmap(Drawing::LoadBitmapFile(path));
}

void Image::SetImageResource(std::int32_t newResourceId) {
    imageFile.clear();
    resourceId = newResourceId;
    if (!HasWindow() || newResourceId <= 0)
        return;
    ShowBitmap(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(newResourceId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

void Image::Create() {
    if (created)
        return;
    DWORD style = WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY;
    if (!enabled)
        style |= WS_DISABLED;
    if (border)
        style |= WS_BORDER;
    MakeControlWindow(*this, L"static", style, border ? WS_EX_CLIENTEDGE : 0);
    if (window == nullptr)
        return;
    created = true;
    if (resourceId == -1)
        SetImageFile(imageFile);
    else
        SetImageResource(resourceId);
    SubclassControl(*this);
    AttachTooltipAndFont(*this);
}

} // namespace OrvoUtility
