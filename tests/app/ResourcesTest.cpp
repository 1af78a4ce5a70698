// The icon, pictures, sounds and version record linked into the program, read
// back through the same calls the program uses to load them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Pixel {
    int r, g, b;
    bool IsBlack() const { return r == 0 && g == 0 && b == 0; }
};

// A bitmap resource loaded as a device-independent section, with its pixels.
class LoadedBitmap {
public:
    explicit LoadedBitmap(int id)
        : handle(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {
        if (handle != nullptr && GetObjectW(handle, sizeof section, &section) != sizeof section)
            std::memset(&section, 0, sizeof section);
    }
    ~LoadedBitmap() {
        if (handle != nullptr)
            DeleteObject(handle);
    }
    LoadedBitmap(const LoadedBitmap &) = delete;
    LoadedBitmap &operator=(const LoadedBitmap &) = delete;

    bool Loaded() const { return handle != nullptr && section.dsBm.bmBits != nullptr; }
    int Width() const { return section.dsBm.bmWidth; }
    int Height() const { return section.dsBm.bmHeight; }
    int Bits() const { return section.dsBm.bmBitsPixel; }

    // (x, y) from the top-left corner; the section's rows run bottom-up.
    Pixel At(int x, int y) const {
        const auto *bits = static_cast<const std::uint8_t *>(section.dsBm.bmBits);
        const std::uint8_t *p =
            bits + static_cast<size_t>(Height() - 1 - y) * section.dsBm.bmWidthBytes + x * 3;
        return {p[2], p[1], p[0]};
    }

private:
    HBITMAP handle;
    DIBSECTION section{};
};

TEST(Resources, BitmapsHaveTheirSizesAndDepth) {
    struct Case {
        int id, width, height;
    };
    const Case cases[] = {
        {1006, 164, 50},  // information window banner
        {1007, 200, 50},  // main window banner
        {1011, 324, 27},  // tile strip
        {1012, 183, 172}, // key help
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.id);
        LoadedBitmap bitmap(c.id);
        ASSERT_TRUE(bitmap.Loaded());
        EXPECT_EQ(bitmap.Width(), c.width);
        EXPECT_EQ(bitmap.Height(), c.height);
        EXPECT_EQ(bitmap.Bits(), 24);
    }
}

TEST(Resources, TileStripIsBlackWhereTheBoardShowsThrough) {
    LoadedBitmap strip(1011);
    ASSERT_TRUE(strip.Loaded());
    const int tile = 27;
    auto blackCount = [&](int column) {
        int n = 0;
        for (int y = 0; y < tile; ++y)
            for (int x = 0; x < tile; ++x)
                n += strip.At(column * tile + x, y).IsBlack() ? 1 : 0;
        return n;
    };
    EXPECT_EQ(blackCount(0), tile * tile) << "the empty tile";
    for (int column = 1; column <= 4; ++column) {
        SCOPED_TRACE(column);
        // A ball: round on black, solid in the middle.
        EXPECT_TRUE(strip.At(column * tile, 0).IsBlack());
        EXPECT_TRUE(strip.At(column * tile + tile - 1, tile - 1).IsBlack());
        for (int d = -8; d <= 8; ++d) {
            EXPECT_FALSE(strip.At(column * tile + 13 + d, 13).IsBlack());
            EXPECT_FALSE(strip.At(column * tile + 13, 13 + d).IsBlack());
        }
    }
    for (int column = 5; column <= 6; ++column) {
        SCOPED_TRACE(column);
        EXPECT_GT(blackCount(column), 0) << "shards lie on black";
        EXPECT_LT(blackCount(column), tile * tile - 100) << "shards show";
    }
    for (int column = 7; column <= 11; ++column)
        EXPECT_EQ(blackCount(column), 0) << "frame tile " << column << " must be opaque";
}

TEST(Resources, BallsHaveTheirColours) {
    LoadedBitmap strip(1011);
    ASSERT_TRUE(strip.Loaded());
    // Below and left of the highlight the ball shows its own colour.
    auto body = [&](int column) { return strip.At(column * 27 + 10, 17); };
    Pixel yellow = body(1), red = body(2), green = body(3), blue = body(4);
    EXPECT_TRUE(yellow.r > yellow.b + 60 && yellow.g > yellow.b + 60);
    EXPECT_TRUE(red.r > red.g + 60 && red.r > red.b + 60);
    EXPECT_TRUE(green.g > green.r + 60 && green.g > green.b + 60);
    EXPECT_TRUE(blue.b > blue.r + 60 && blue.b > blue.g + 60);
}

TEST(Resources, BannerEdgesMatchTheWindowBlue) {
    LoadedBitmap banner(1007);
    ASSERT_TRUE(banner.Loaded());
    for (int x = 0; x < banner.Width(); ++x) {
        for (int y : {0, banner.Height() - 1}) {
            Pixel p = banner.At(x, y);
            ASSERT_TRUE(p.r == 0 && p.g == 0 && p.b == 255) << x << "," << y;
        }
    }
}

TEST(Resources, IconComesInThreeSizes) {
    for (int size : {16, 32, 48}) {
        SCOPED_TRACE(size);
        auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1005),
                                                  IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        ASSERT_NE(info.hbmColor, nullptr);
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

struct WaveFormat {
    std::uint16_t format, channels;
    std::uint32_t rate, byteRate;
    std::uint16_t align, bits;
};

TEST(Resources, WavesArePlayableShortSounds) {
    struct Case {
        int id;
        double minMs, maxMs;
    };
    const Case cases[] = {{1008, 30, 80}, {1009, 200, 450}};
    HMODULE module = GetModuleHandleW(nullptr);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.id);
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(c.id), L"WAVE");
        ASSERT_NE(found, nullptr);
        DWORD size = SizeofResource(module, found);
        const auto *data = static_cast<const char *>(LockResource(LoadResource(module, found)));
        ASSERT_NE(data, nullptr);
        ASSERT_GE(size, 44u);
        EXPECT_EQ(std::string(data, 4), "RIFF");
        EXPECT_EQ(std::string(data + 8, 8), "WAVEfmt ");
        WaveFormat format{};
        std::memcpy(&format, data + 20, sizeof format);
        EXPECT_EQ(format.format, 1); // PCM
        EXPECT_EQ(format.channels, 1);
        EXPECT_EQ(format.rate, 22050u);
        EXPECT_EQ(format.bits, 16);
        EXPECT_EQ(std::string(data + 36, 4), "data");
        std::uint32_t bytes = 0;
        std::memcpy(&bytes, data + 40, 4);
        EXPECT_EQ(44 + bytes, size);
        double ms = 1000.0 * bytes / 2 / 22050;
        EXPECT_GE(ms, c.minMs);
        EXPECT_LE(ms, c.maxMs);
    }
}

TEST(Resources, VersionRecordNamesTheProduct) {
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> record(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, record.data()));

    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(1, 1));

    WORD *translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void **>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0410); // Italian
    EXPECT_EQ(translation[1], 1252);

    auto text = [&](const wchar_t *name) {
        std::wstring key = std::wstring(L"\\StringFileInfo\\041004E4\\") + name;
        wchar_t *value = nullptr;
        UINT chars = 0;
        if (!VerQueryValueW(record.data(), key.c_str(), reinterpret_cast<void **>(&value), &chars))
            return std::wstring(L"(missing)");
        return std::wstring(value);
    };
    EXPECT_EQ(text(L"ProductName"), L"Corvanta");
    EXPECT_EQ(text(L"FileVersion"), L"1.1.0.0");
    EXPECT_EQ(text(L"ProductVersion"), L"1.1.0.0");
    EXPECT_EQ(text(L"LegalCopyright"), L"\u00a9 2026 Gli autori di Corvanta");
    EXPECT_NE(text(L"CompanyName"), L"(missing)");
}

} // namespace
