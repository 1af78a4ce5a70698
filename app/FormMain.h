// The main window: the board of 180 cells, the four text displays, the three
// buttons, the menu, the 30 ms timer and the exit question.
//
// The window only shows and forwards: the rules live in the game loop
// (game/GameLoop.h), which this form drives once per timer tick and which
// talks back through GameView (texts, play button, sounds, score ticker, name
// entry, the two menu options) and CellSink (every cell write reaches its
// ImageFrame). The score table is read at the end of the build and after
// every recorded score; the ticker line shows it one entry at a time.
#pragma once

#include "game/GameLoop.h"
#include "game/win32/Win32Platform.h"
#include "scores/ScoreTicker.h"
#include "toolkit/core/Form.h"

#include <array>
#include <cstdint>
#include <memory>

namespace OrvoUtility {
class Button;
class CellControl;
class FormAbout;
class Image;
class ImageFrame;
class Menu;
class MenuBar;
class SubMenu;
class TextBox;
class Timer;
} // namespace OrvoUtility

namespace VeRize {

class FormNamePlayer;

// The texts of the window.
inline const OrvoUtility::NarrowText ExitQuestion = "Vuoi realmente uscire?";
inline const OrvoUtility::NarrowText ExitCaption = "Uscita";
inline const OrvoUtility::NarrowText ScoreFolderName = "Corvanta";
inline const OrvoUtility::NarrowText NamePrompt = "Inserisci il tuo nome:";
inline const OrvoUtility::NarrowText NameFormTitle = "Classifica";
// The tag of the board cells of the playing area (the frame's are empty).
inline const OrvoUtility::NarrowText PlayingAreaTag = "1";

// Resources of the program.
constexpr std::uint16_t IconResource = 1005;
constexpr std::int32_t AboutBannerResource = 1006;
constexpr std::int32_t BannerResource = 1007;
constexpr std::int32_t TileStripResource = 1011;
constexpr std::int32_t KeyHelpResource = 1012;

// What the About box shows.
inline const OrvoUtility::NarrowText ProductTitle = "Corvanta 1.1.0.0";
inline const OrvoUtility::NarrowText CreditLine = "\xA9 2026 Gli autori di Corvanta";
inline const OrvoUtility::NarrowText AboutNotice =
    "Sposta e ruota le palline che cadono.\r\n"
    "Tre o pi\xF9 uguali in fila esplodono.\r\n"
    "I dieci punteggi migliori restano qui.";

// The maker's web site; "&Guida" opens its page of the product.
inline const OrvoUtility::NarrowText WebAddress = "http://www.example.com";
inline const OrvoUtility::NarrowText GuidePage = WebAddress + "/" + "Corvanta" + ".asp";

// Size of the client area, and of the window before it is created.
constexpr std::int32_t MainWidth = 640;
constexpr std::int32_t MainHeight = 480;
// Period of the game tick, in milliseconds.
constexpr std::int32_t TickInterval = 30;
// Place of the board's top-left cell; every cell is 27 x 27.
constexpr int BoardLeft = 105;
constexpr int BoardTop = 87;
constexpr int CellSize = 27;

constexpr COLORREF FormColor = RGB(0, 0, 255);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF PlayButtonColor = RGB(255, 0, 0);
constexpr COLORREF ControlColor = RGB(220, 220, 220);

class FormMain : public OrvoUtility::Form, public GameView, public CellSink {
public:
    FormMain(HINSTANCE moduleInstance, const OrvoUtility::NarrowText &title);
    ~FormMain() override;

    // --- the form's own operations, in this order ---
    virtual void FormCreated();          // builds the controls, once the window exists
    virtual bool FormClosing();          // the exit question; true lets the window close
    virtual void FormResized();          // nothing
    virtual void Tick();                 // one step of the game loop
    virtual bool FormChar(wchar_t code); // true: not consumed
    // For a text box of the form: false (consumed) for Tab and Enter.
    virtual bool FormTextBoxChar(OrvoUtility::TextBox *box, wchar_t code);
    virtual void FormKeyDown(int key);
    virtual void FormKeyUp(int key);
    virtual void FormMenuCommand(OrvoUtility::SubMenu *entry);
    virtual void FormReserved10(); // never called
    virtual void FormLeftButtonUp();
    virtual void FormLeftButtonDown();
    virtual void FormChildLeftButtonDown(OrvoUtility::GUIElement *child);
    virtual void FormReserved14(); // never called
    // Selects all the text of a created text box.
    virtual void FormTextBoxLeftButtonUp(OrvoUtility::TextBox *box);
    virtual void FormButtonCommand(OrvoUtility::Button *button);
    virtual void FormReserved17(); // never called

    // Redraws every child, repaints a painted background, then onPaint.
    void HandlePaint() override;
    // Red with white text for the play button, light grey with black text
    // for every other control. The brush handed out last time is deleted.
    HBRUSH HandleControlColor(HDC context) override;

    // Records the finished game under the player's name and reloads the
    // score lines. Runs when the name entry's window is destroyed.
    void SaveScore();
    // Opens the About box; an earlier one is set aside for deletion.
    void OpenAbout();

    // --- GameView ---
    void SetScoreText(const std::string &newText) override;
    void SetLevelText(const std::string &newText) override;
    void SetStatusText(const std::string &newText) override;
    std::string PlayButtonText() override;
    void SetPlayButtonText(const std::string &newText) override;
    void AdvanceScoreTicker() override;
    void BeginNameEntry(std::int32_t score, std::int32_t level) override;
    bool IsTraining() override;
    bool IsJoystickOn() override;
    void PlayWave(int resource) override;

    // --- CellSink ---
    void WriteCell(int row, int column, std::int32_t value) override;

    GameLoop &Loop() { return *loop; }

    // --- what the form holds ---
    Win32Keyboard keyboard;
    Win32Joystick joystick;
    Win32Sound sound;
    std::unique_ptr<GameLoop> loop;
    bool joystickFlag = false;
    bool trainingFlag = false;

    OrvoUtility::MenuBar *menuBar = nullptr;
    OrvoUtility::Menu *fileMenu = nullptr;
    OrvoUtility::Menu *optionsMenu = nullptr;
    OrvoUtility::Menu *helpMenu = nullptr;
    OrvoUtility::SubMenu *exitEntry = nullptr;
    OrvoUtility::SubMenu *joystickEntry = nullptr;
    OrvoUtility::SubMenu *trainingEntry = nullptr;
    OrvoUtility::SubMenu *guideEntry = nullptr;
    OrvoUtility::SubMenu *homeEntry = nullptr;

    OrvoUtility::Button *playButton = nullptr;
    OrvoUtility::Button *infoButton = nullptr;
    OrvoUtility::Button *closeButton = nullptr;

    OrvoUtility::Image *banner = nullptr;
    OrvoUtility::Image *keyHelp = nullptr;

    OrvoUtility::CellControl *tickerLine = nullptr;
    OrvoUtility::CellControl *statusDisplay = nullptr;
    OrvoUtility::CellControl *scoreDisplay = nullptr;
    OrvoUtility::CellControl *levelDisplay = nullptr;

    std::array<OrvoUtility::ImageFrame *, BoardCells> cells{}; // row * 12 + column
    HBITMAP tileStrip = nullptr;                               // shared by the 180 cells

    std::unique_ptr<OrvoUtility::FontSpec> formFont;    // "Lucida Console" 14
    std::unique_ptr<OrvoUtility::FontSpec> statusFont;  // "Arial" 22 bold
    std::unique_ptr<OrvoUtility::FontSpec> counterFont; // "Arial" 22
    HBRUSH colorBrush = nullptr;                        // last handed out by HandleControlColor

    OrvoUtility::Timer *timer = nullptr;

    TextLines scoreLines;
    ScoreTicker ticker;
    OrvoUtility::FormAbout *aboutForm = nullptr; // the About box last opened
    FormNamePlayer *nameForm = nullptr;
    // The game that the open name entry will record.
    std::int32_t finalScore = 0;
    std::int32_t finalLevel = 0;
};

// The first main form built in this run, or none. The menu entries' command
// handler falls back to it when an entry has no main form among its parents.
extern FormMain *mainForm;

} // namespace VeRize
