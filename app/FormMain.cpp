#include "app/FormMain.h"

#include "about/FormAbout.h"
#include "scores/FormNamePlayer.h"
#include "scores/ScoreTable.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Panels.h"
#include "toolkit/controls/TextBox.h"
#include "toolkit/controls/Timer.h"
#include "toolkit/core/System.h"
#include "toolkit/core/WindowProc.h"

namespace VeRize {

using OrvoUtility::Button;
using OrvoUtility::CellControl;
using OrvoUtility::FontSpec;
using OrvoUtility::GUIElement;
using OrvoUtility::Image;
using OrvoUtility::ImageFrame;
using OrvoUtility::Menu;
using OrvoUtility::MenuBar;
using OrvoUtility::NarrowText;
using OrvoUtility::SubMenu;
using OrvoUtility::TextBox;
using OrvoUtility::Timer;

FormMain *mainForm = nullptr;

namespace {

// --- routing: each callback finds the form and calls its own operation ---

void RouteCreated(GUIElement *element, HWND) {
    if (auto *form = dynamic_cast<FormMain *>(element))
        form->FormCreated();
}

bool RouteCloseQuery(GUIElement *element) {
    auto *form = dynamic_cast<FormMain *>(element);
    return form == nullptr || form->FormClosing();
}

void RouteResized(GUIElement *element) {
    if (auto *form = dynamic_cast<FormMain *>(element))
        form->FormResized();
}

bool RouteChar(GUIElement *element, wchar_t code) {
    if (auto *box = dynamic_cast<TextBox *>(element)) {
        auto *form = dynamic_cast<FormMain *>(box->parent);
        return form == nullptr || form->FormTextBoxChar(box, code);
    }
    auto *form = dynamic_cast<FormMain *>(element);
    return form == nullptr || form->FormChar(code);
}

void RouteKeyDown(GUIElement *element, int key) {
    if (auto *form = dynamic_cast<FormMain *>(element))
        form->FormKeyDown(key);
}

void RouteKeyUp(GUIElement *element, int key) {
    if (auto *form = dynamic_cast<FormMain *>(element))
        form->FormKeyUp(key);
}

void RouteLeftButtonUp(GUIElement *element, HWND, int, int) {
    if (auto *box = dynamic_cast<TextBox *>(element)) {
        if (auto *form = dynamic_cast<FormMain *>(box->parent))
            form->FormTextBoxLeftButtonUp(box);
        return;
    }
    if (auto *form = dynamic_cast<FormMain *>(element))
        form->FormLeftButtonUp();
}

void RouteLeftButtonDown(GUIElement *element, HWND, int, int) {
    if (dynamic_cast<OrvoUtility::Child *>(element) != nullptr) {
        if (auto *form = dynamic_cast<FormMain *>(element->parent))
            form->FormChildLeftButtonDown(element);
        return;
    }
    if (auto *form = dynamic_cast<FormMain *>(element))
        form->FormLeftButtonDown();
}

// A button of the form, or of a panel of the form.
void RouteButtonCommand(GUIElement *element) {
    auto *button = dynamic_cast<Button *>(element);
    if (button == nullptr || button->parent == nullptr)
        return;
    auto *form = dynamic_cast<FormMain *>(button->parent);
    if (form == nullptr)
        form = dynamic_cast<FormMain *>(button->parent->parent);
    if (form != nullptr)
        form->FormButtonCommand(button);
}

// The first main form among the entry's parents, else the program's main form.
void RouteMenuCommand(GUIElement *element) {
    auto *entry = dynamic_cast<SubMenu *>(element);
    if (entry == nullptr)
        return;
    FormMain *form = nullptr;
    for (GUIElement *up = entry->parent; up != nullptr && form == nullptr; up = up->parent)
        form = dynamic_cast<FormMain *>(up);
    if (form == nullptr)
        form = mainForm;
    if (form != nullptr)
        form->FormMenuCommand(entry);
}

// The name entry's window is gone: its owner records the score.
void RouteNameFormDestroyed(GUIElement *element) {
    auto *entry = dynamic_cast<FormNamePlayer *>(element);
    if (entry == nullptr)
        return;
    if (auto *form = dynamic_cast<FormMain *>(entry->owner))
        form->SaveScore();
}

void RouteTick(GUIElement *element) {
    if (auto *form = dynamic_cast<FormMain *>(element->parent))
        form->Tick();
}

// Places a control and sets its size, as every control of the form is placed.
void Place(GUIElement *element, int atX, int atY, int w, int h) {
    element->x = atX;
    element->y = atY;
    element->SetSize(w, h);
}

} // namespace

FormMain::FormMain(HINSTANCE moduleInstance, const NarrowText &title)
    : Form(moduleInstance, false), sound(moduleInstance) {
    loop = std::make_unique<GameLoop>(*this, *this, keyboard, joystick);

    formFont = std::make_unique<FontSpec>("Lucida Console", 14);
    statusFont = std::make_unique<FontSpec>("Arial", 22);
    statusFont->bold = true;
    counterFont = std::make_unique<FontSpec>("Arial", 22);

    width = MainWidth;
    height = MainHeight;
    SetText(title);

    caption = true;
    minimizeBox = true;
    sizable = false;
    dialogStyle = false;

    onCreated = RouteCreated;
    onCloseQuery = RouteCloseQuery;
    onResized = RouteResized;
    onChar = RouteChar;
    onKeyDown = RouteKeyDown;
    onKeyUp = RouteKeyUp;
    onLeftButtonUp = RouteLeftButtonUp;
    onLeftButtonDown = RouteLeftButtonDown;

    SetBackColor(FormColor);
    Create(); // FormCreated runs inside
    keyboard.SetWindow(window);

    SetIcon(IconResource);
    if (window != nullptr)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(formFont->Handle()), TRUE);
    SetClientSize(MainWidth, MainHeight);

    if (mainForm == nullptr)
        mainForm = this;
}

FormMain::~FormMain() {
    // The close query must not reach a half-destroyed form.
    CloseAndDestroy();

    // The timer first, so that no tick runs while the rest goes.
    delete timer;
    timer = nullptr;

    delete aboutForm;
    aboutForm = nullptr;

    delete menuBar;
    delete fileMenu;
    delete optionsMenu;
    delete helpMenu;
    delete exitEntry;
    delete joystickEntry;
    delete trainingEntry;
    delete guideEntry;
    delete homeEntry;

    delete playButton;
    delete infoButton;
    delete closeButton;
    delete banner;
    delete keyHelp;
    delete tickerLine;
    delete statusDisplay;
    delete scoreDisplay;
    delete levelDisplay;
    for (ImageFrame *&cell : cells) {
        delete cell;
        cell = nullptr;
    }
    playButton = infoButton = closeButton = nullptr;
    tickerLine = statusDisplay = scoreDisplay = levelDisplay = nullptr;
    banner = keyHelp = nullptr;

    if (colorBrush != nullptr)
        DeleteObject(colorBrush);
    colorBrush = nullptr;
    if (tileStrip != nullptr)
        DeleteObject(tileStrip);
    tileStrip = nullptr;

    // A name entry still open records its game as it goes.
    delete nameForm;
    nameForm = nullptr;

    if (mainForm == this)
        mainForm = nullptr;
}

// --- the build ---

void FormMain::FormCreated() {
    keyboard.SetWindow(window);

    // 1. The menu.
    menuBar = new MenuBar(this);
    fileMenu = new Menu("&File", menuBar);
    exitEntry = new SubMenu(fileMenu, "&Esci");
    optionsMenu = new Menu("&Opzioni", menuBar);
    joystickEntry = new SubMenu(optionsMenu, "&Abilita Joystick");
    trainingEntry = new SubMenu(optionsMenu, "A&llenamento");
    helpMenu = new Menu("&?", menuBar);
    guideEntry = new SubMenu(helpMenu, "&Guida");
    homeEntry = new SubMenu(helpMenu, "&Home");
    joystickEntry->SetCheckable(true);
    joystickEntry->SetChecked(joystickFlag);
    trainingEntry->SetCheckable(true);
    trainingEntry->SetChecked(trainingFlag);
    for (SubMenu *entry : {exitEntry, joystickEntry, trainingEntry, guideEntry, homeEntry})
        entry->onCommand = RouteMenuCommand;
    menuBar->Create();

    // 2. The tile strip, shared by every board cell.
    tileStrip = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(TileStripResource),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));

    // 3. Banner.
    banner = new Image(this, BannerResource);
    Place(banner, 28, 30, 200, 50);
    banner->Create();

    // 4. Status display.
    statusDisplay = new CellControl(this);
    Place(statusDisplay, 228, 30, 280, 45);
    statusDisplay->SetBackColor(backColor);
    statusDisplay->textColor = White;
    statusDisplay->font = statusFont.get();
    statusDisplay->textAlign = 2;
    statusDisplay->Create();

    // 5. Ticker line, as wide as the form.
    tickerLine = new CellControl(this);
    Place(tickerLine, 0, 0, width, 25);
    tickerLine->SetBackColor(backColor);
    tickerLine->textColor = White;
    tickerLine->font = formFont.get();
    tickerLine->textAlign = 0;
    tickerLine->Create();

    // 6. The board: one frame per cell, in board order.
    for (int i = 0; i < BoardCells; ++i) {
        const int row = i / BoardColumns;
        const int column = i % BoardColumns;
        const bool interior = GameBoard::IsInterior(row, column);
        auto *cell =
            new ImageFrame(this, tileStrip, interior ? 0 : GameBoard::FrameValue(row, column), 0);
        cell->transparent = true;
        cell->tabStop = false;
        if (interior)
            cell->tag = PlayingAreaTag;
        cell->SetBackColor(RGB(0, 0, 0));
        Place(cell, BoardLeft + CellSize * column, BoardTop + CellSize * row, CellSize, CellSize);
        cell->Create();
        cells[static_cast<std::size_t>(i)] = cell;
    }

    // 7, 8. Score and level displays.
    scoreDisplay = new CellControl(this);
    levelDisplay = new CellControl(this);
    for (CellControl *display : {scoreDisplay, levelDisplay}) {
        Place(display, 427, display == scoreDisplay ? 200 : 240, 200, 28);
        display->font = counterFont.get();
        display->SetBackColor(backColor);
        display->textColor = White;
        display->textAlign = 2;
        display->border = true;
        display->Create();
    }

    // 9. "Punteggio: 00000", "Livello: 00".
    loop->RefreshCounters();

    // 10. Key help.
    keyHelp = new Image(this, KeyHelpResource);
    Place(keyHelp, 437, 300, 183, 172);
    keyHelp->Create();

    // 11. Buttons, drawn by the toolkit in the colours of HandleControlColor.
    // The form's width is still the 640 given before creation.
    const int buttonX = width - 128;
    infoButton = new Button(this, "Info");
    closeButton = new Button(this, "Chiudi");
    playButton = new Button(this, PlayText);
    const std::pair<Button *, int> buttons[] = {
        {infoButton, 90}, {closeButton, 140}, {playButton, 40}};
    for (const auto &[button, atY] : buttons) {
        Place(button, buttonX, atY, 100, 40);
        button->ownerDraw = true;
        button->onCommand = RouteButtonCommand;
        if (button == playButton)
            button->SetHandCursor(true);
        button->Create();
    }

    // 12. The score lines the ticker shows.
    scoreLines = ScoreTable(ScoreFolderName).Load();

    // 13. The game tick.
    timer = new Timer(this, TickInterval);
    timer->onTick = RouteTick;
    timer->Start();
}

// --- the form's own operations ---

bool FormMain::FormClosing() {
    UnregisterHotKeys();
    if (!OrvoUtility::AskYesNo(ExitQuestion, ExitCaption)) {
        RegisterHotKeys();
        return false;
    }
    if (timer != nullptr && timer->running)
        timer->Stop();
    return true;
}

void FormMain::FormResized() {}

void FormMain::Tick() {
    loop->Tick();
}

bool FormMain::FormChar(wchar_t) {
    return true;
}

bool FormMain::FormTextBoxChar(TextBox *, wchar_t code) {
    return code != 9 && code != 13;
}

void FormMain::FormKeyDown(int) {}

void FormMain::FormKeyUp(int) {}

void FormMain::FormMenuCommand(SubMenu *entry) {
    if (entry == nullptr)
        return;
    if (exitEntry != nullptr && entry->id == exitEntry->id) {
        SendMessageW(window, WM_CLOSE, 0, 0);
    } else if (joystickEntry != nullptr && entry->id == joystickEntry->id) {
        joystickFlag = joystickEntry->IsChecked();
    } else if (trainingEntry != nullptr && entry->id == trainingEntry->id) {
        trainingFlag = trainingEntry->IsChecked();
    } else if (guideEntry != nullptr && entry->id == guideEntry->id) {
        OrvoUtility::OpenWithShell(GuidePage);
    } else if (homeEntry != nullptr && entry->id == homeEntry->id) {
        OrvoUtility::OpenWithShell(WebAddress);
    }
}

void FormMain::FormReserved10() {}

void FormMain::FormLeftButtonUp() {}

void FormMain::FormLeftButtonDown() {}

void FormMain::FormChildLeftButtonDown(GUIElement *) {}

void FormMain::FormReserved14() {}

void FormMain::FormTextBoxLeftButtonUp(TextBox *box) {
    if (box != nullptr && box->HasWindow())
        SendMessageW(box->window, EM_SETSEL, 0, -1);
}

void FormMain::FormButtonCommand(Button *button) {
    if (button == nullptr)
        return;
    if (closeButton != nullptr && button->id == closeButton->id)
        FormMenuCommand(exitEntry);
    else if (playButton != nullptr && button->id == playButton->id)
        loop->StartOrAbandon();
    else if (infoButton != nullptr && button->id == infoButton->id)
        OpenAbout();
}

void FormMain::FormReserved17() {}

// --- painting and colours ---

void FormMain::HandlePaint() {
    for (GUIElement *child : OrvoUtility::ChildrenOf(window))
        if (IsWindow(child->window))
            child->Redraw();
    if (backgroundPainted)
        SetBackColor(backColor);
    if (onPaint)
        onPaint(this);
}

HBRUSH FormMain::HandleControlColor(HDC context) {
    if (colorBrush != nullptr)
        DeleteObject(colorBrush);
    SelectObject(context, formFont->Handle());
    COLORREF background = ControlColor;
    COLORREF foreground = RGB(0, 0, 0);
    if (playButton != nullptr && playButton->window != nullptr &&
        WindowFromDC(context) == playButton->window) {
        background = PlayButtonColor;
        foreground = White;
    }
    SetBkColor(context, background);
    SetTextColor(context, foreground);
    colorBrush = CreateSolidBrush(background);
    return colorBrush;
}

// --- what the game loop sees ---

void FormMain::SetScoreText(const std::string &newText) {
    if (scoreDisplay != nullptr)
        scoreDisplay->SetText(newText);
}

void FormMain::SetLevelText(const std::string &newText) {
    if (levelDisplay != nullptr)
        levelDisplay->SetText(newText);
}

void FormMain::SetStatusText(const std::string &newText) {
    if (statusDisplay != nullptr)
        statusDisplay->SetText(newText);
}

std::string FormMain::PlayButtonText() {
    return playButton != nullptr ? playButton->GetNarrowText() : std::string();
}

void FormMain::SetPlayButtonText(const std::string &newText) {
    if (playButton != nullptr)
        playButton->SetText(newText);
}

void FormMain::AdvanceScoreTicker() {
    VeRize::AdvanceScoreTicker(ticker, scoreLines, [this](const NarrowText &line) {
        if (tickerLine != nullptr)
            tickerLine->SetText(line);
    });
}

bool FormMain::IsTraining() {
    return trainingFlag;
}

bool FormMain::IsJoystickOn() {
    return joystickFlag;
}

void FormMain::PlayWave(int resource) {
    sound.PlayWave(resource);
}

void FormMain::WriteCell(int row, int column, std::int32_t value) {
    if (row < 0 || row >= BoardRows || column < 0 || column >= BoardColumns)
        return;
    if (ImageFrame *cell = cells[static_cast<std::size_t>(row * BoardColumns + column)])
        cell->SetTile(value, 0);
}

// --- score table, name entry, About box ---

void FormMain::BeginNameEntry(std::int32_t score, std::int32_t level) {
    finalScore = score;
    finalLevel = level;
    // The form of an earlier game may still be referred to by messages on
    // their way: it is deleted once the loop has ended.
    if (nameForm != nullptr) {
        OrvoUtility::DisposeAfterLoop(nameForm);
        nameForm = nullptr;
    }
    // The window exists, shows its controls and has disabled this one when
    // the constructor returns.
    nameForm = new FormNamePlayer(this, instance, NameFormTitle);
    nameForm->onDestroyed = RouteNameFormDestroyed;
    nameForm->SetIcon(IconResource);
    nameForm->SetPrompt(NamePrompt);

    // Centred over the main window, size unchanged.
    RECT mainRect{};
    RECT formRect{};
    if (nameForm->window != nullptr && GetWindowRect(window, &mainRect) &&
        GetWindowRect(nameForm->window, &formRect)) {
        const int formWidth = formRect.right - formRect.left;
        const int formHeight = formRect.bottom - formRect.top;
        const int atX = mainRect.left + (mainRect.right - mainRect.left - formWidth) / 2;
        const int atY = mainRect.top + (mainRect.bottom - mainRect.top - formHeight) / 2;
        SetWindowPos(nameForm->window, nullptr, atX, atY, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        nameForm->RefreshPosition();
        ShowWindow(nameForm->window, SW_SHOWNA);
    }
}

void FormMain::SaveScore() {
    ScoreTable table(ScoreFolderName);
    table.Add(finalScore, PlayerEntryText(PlayerName, finalLevel));
    scoreLines = table.Load();
}

void FormMain::OpenAbout() {
    // The box of an earlier press may still be referred to by messages on
    // their way: it is deleted once the loop has ended.
    if (aboutForm != nullptr) {
        OrvoUtility::DisposeAfterLoop(aboutForm);
        aboutForm = nullptr;
    }
    auto *about = new OrvoUtility::FormAbout(this);
    aboutForm = about;
    about->bannerId = AboutBannerResource;
    about->bannerWidth = 164;
    about->bannerHeight = 50;
    about->titleText = ProductTitle;
    about->creditText = CreditLine;
    about->webAddress = WebAddress;
    about->noticeText = AboutNotice;
    if (!about->created)
        about->Create();
    if (about->window != nullptr)
        ShowWindow(about->window, SW_SHOWNOACTIVATE);
    about->visible = true;
}

} // namespace VeRize
