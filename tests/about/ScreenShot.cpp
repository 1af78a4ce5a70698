#include "tests/about/ScreenShot.h"

#include <cstdio>

namespace AboutTest {

bool SaveScreen(const wchar_t *path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom row first, as the file wants it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, copy);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();

    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageBytes;
    info.bmiHeader.biSizeImage = imageBytes;
    bool saved = false;
    if (FILE *out = _wfopen(path, L"wb")) {
        saved = fwrite(&file, sizeof(file), 1, out) == 1 &&
                fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
                fwrite(bits, imageBytes, 1, out) == 1;
        saved = fclose(out) == 0 && saved;
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(copy);
    ReleaseDC(nullptr, screen);
    return saved;
}

} // namespace AboutTest
