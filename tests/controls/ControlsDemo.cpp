// A small form built from the toolkit's controls, for looking at: a menu,
// cells with text, a row of tile frames, an owner-drawn button with a
// picture, and a timer that counts in one of the cells. It closes itself
// after the number of milliseconds given on the command line (default 8000).
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Panels.h"
#include "toolkit/controls/TextBox.h"
#include "toolkit/controls/Timer.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/WindowProc.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace OrvoUtility;

namespace {

// Five tiles of 27 x 27: black, then a shaded yellow, red, green and blue ball.
HBITMAP MakeBallStrip() {
    const int tiles = 5, size = 27;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = tiles * size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HBITMAP strip = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (strip == nullptr)
        return nullptr;
    const int colours[tiles][3] = {
        {0, 0, 0}, {250, 220, 0}, {230, 30, 30}, {40, 200, 60}, {40, 90, 250}};
    auto *pixel = static_cast<std::uint32_t *>(bits);
    for (int row = 0; row < size; ++row)
        for (int column = 0; column < tiles * size; ++column) {
            const int tile = column / size;
            const double dx = column % size - 13.0, dy = row - 13.0;
            const double distance = std::sqrt(dx * dx + dy * dy);
            std::uint32_t value = 0;
            if (tile > 0 && distance < 12.0) {
                // Lit from the top left.
                const double light =
                    1.15 - std::sqrt((dx + 4) * (dx + 4) + (dy + 4) * (dy + 4)) / 22.0;
                auto channel = [&](int c) {
                    const double v = colours[tile][c] * std::fmax(0.25, std::fmin(light, 1.0));
                    return static_cast<std::uint32_t>(std::fmax(1.0, v));
                };
                value = (channel(0) << 16) | (channel(1) << 8) | channel(2);
            }
            pixel[row * tiles * size + column] = value;
        }
    return strip;
}

// Answers its controls' colour requests as the game's main window does:
// the play button red with white text, everything else light grey.
class DemoForm : public Form {
public:
    explicit DemoForm(HINSTANCE module) : Form(module, false) {}
    ~DemoForm() override {
        CloseAndDestroy();
        if (brush != nullptr)
            DeleteObject(brush);
    }
    HBRUSH HandleControlColor(HDC context) override {
        if (brush != nullptr)
            DeleteObject(brush);
        const bool play = playButton != nullptr && WindowFromDC(context) == playButton->window;
        const COLORREF back = play ? RGB(255, 0, 0) : RGB(220, 220, 220);
        SetBkColor(context, back);
        SetTextColor(context, play ? RGB(255, 255, 255) : RGB(0, 0, 0));
        brush = CreateSolidBrush(back);
        return brush;
    }
    GUIElement *playButton = nullptr;

private:
    HBRUSH brush = nullptr;
};

// One shaded ball of the strip, 27 x 27, as a picture of its own.
HBITMAP CopyTile(HBITMAP strip, int tile) {
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, 27, 27);
    HGDIOBJ oldFrom = SelectObject(from, strip);
    HGDIOBJ oldTo = SelectObject(to, picture);
    BitBlt(to, 0, 0, 27, 27, from, 27 * tile, 0, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return picture;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    int lifetime = 8000;
    if (__argc > 1)
        lifetime = std::atoi(__argv[1]);

    auto form = std::make_unique<DemoForm>(instance);
    form->x = 20;
    form->y = 20;
    form->width = 420;
    form->height = 300;
    form->sizable = false;
    form->SetText(NarrowText("Prova dei controlli"));
    form->backColor = RGB(0, 0, 255);

    std::vector<std::unique_ptr<GUIElement>> owned;
    auto own = [&](auto *element) {
        owned.emplace_back(element);
        return element;
    };
    FontSpec bigFont("Arial", 22);
    bigFont.bold = true;
    FontSpec smallFont("Lucida Console", 14);
    HBITMAP strip = MakeBallStrip();
    HBITMAP ball = CopyTile(strip, 2);
    CellControl *counter = nullptr;
    Timer *ticker = nullptr;
    Timer *ending = nullptr;
    int ticks = 0;

    form->onCreated = [&](GUIElement *element, HWND) {
        auto *bar = own(new MenuBar(element));
        auto *file = own(new Menu("&File", bar));
        auto *quit = own(new SubMenu(file, "&Esci"));
        auto *options = own(new Menu("&Opzioni", bar));
        auto *training = own(new SubMenu(options, "A&llenamento"));
        training->SetCheckable(true);
        training->SetChecked(true);
        own(new SubMenu(options, "&Abilita Joystick"))->SetCheckable(true);
        quit->onCommand = [&](GUIElement *) { PostMessageW(form->window, WM_CLOSE, 0, 0); };
        bar->Create();

        auto *status = own(new CellControl(element));
        status->x = 10;
        status->y = 10;
        status->SetSize(280, 40);
        status->backColor = RGB(0, 0, 255);
        status->textColor = RGB(255, 255, 255);
        status->font = &bigFont;
        status->SetText(NarrowText("Benvenuto!"));
        status->Create();

        counter = own(new CellControl(element));
        counter->x = 10;
        counter->y = 60;
        counter->SetSize(200, 28);
        counter->border = true;
        counter->backColor = RGB(0, 0, 255);
        counter->textColor = RGB(255, 255, 255);
        counter->font = &smallFont;
        counter->textAlign = 0;
        counter->marker = true;
        counter->SetText(NarrowText("Tick: 0"));
        counter->Create();

        for (int i = 0; i < 5; ++i) {
            auto *frame = own(new ImageFrame(element, strip, i, 0));
            frame->x = 10 + 27 * i;
            frame->y = 110;
            frame->SetSize(27, 27);
            frame->backColor = RGB(0, 0, 0);
            frame->Create();
        }

        auto *play = own(new Button(element, "GIOCA"));
        play->x = 300;
        play->y = 10;
        play->SetSize(100, 40);
        play->ownerDraw = true;
        play->bitmapEnabled = ball; // black left out
        play->SetHandCursor(true);
        form->playButton = play;
        play->Create();
        auto *info = own(new Button(element, "Info"));
        info->x = 300;
        info->y = 60;
        info->SetSize(100, 40);
        info->ownerDraw = true;
        info->Create();
        auto *closed = own(new Button(element, "Chiudi"));
        closed->x = 300;
        closed->y = 110;
        closed->SetSize(100, 40);
        closed->ownerDraw = true;
        closed->enabled = false;
        closed->Create();

        auto *label = own(new Label(element, "Nome:"));
        label->x = 10;
        label->y = 160;
        label->SetSize(60, 22);
        label->Create();
        auto *name = own(new TextBox(element, "Giocatore"));
        name->x = 80;
        name->y = 160;
        name->SetSize(160, 24);
        name->maxLength = 10;
        name->Create();

        ticker = own(new Timer(element, 30));
        ticker->onTick = [&](GUIElement *) {
            ++ticks;
            counter->SetText("Tick: " + Decimal(ticks));
        };
        ticker->Start();
        ending = own(new Timer(element, lifetime));
        ending->onTick = [&](GUIElement *) { PostMessageW(form->window, WM_CLOSE, 0, 0); };
        ending->Start();
    };
    form->Create();
    RunMessageLoop(form.get());
    ticker->Stop();
    ending->Stop();
    owned.clear();
    form.reset();
    DeleteObject(ball);
    DeleteObject(strip);
    return 0;
}
