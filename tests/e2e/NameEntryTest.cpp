// The name asked for after a game with points, in the real program: where the
// window opens, what the player sees while typing, what reaches
// Classifica.txt on each way out of the window, the ticker line that shows
// it, and no question at all after a game without points.
//
// The seeded build plays its first three games here with every trio sent to
// the leftmost column and dropped there; the same games played on the game
// core in this test say how each of them ends.
#include "tests/e2e/Scenario.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

using namespace std::chrono_literals;
using E2E::Board;
using E2E::GameWindow;

namespace {

// The game's table in the prefix the tests run in (the game runs in the same
// one), set aside for the test and put back afterwards.
class SetAsideScoreTable {
public:
    SetAsideScoreTable() {
        wchar_t folder[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
        path = std::wstring(folder) + L"\\Corvanta\\Score\\Classifica.txt";
        aside = path + L".e2e";
        hadTable = MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    }
    ~SetAsideScoreTable() {
        if (hadTable)
            MoveFileExW(aside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
        else
            DeleteFileW(path.c_str());
    }
    SetAsideScoreTable(const SetAsideScoreTable &) = delete;
    SetAsideScoreTable &operator=(const SetAsideScoreTable &) = delete;

    bool Exists() const { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    std::string Read() const {
        std::string bytes;
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return bytes;
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
            bytes.append(buffer, got);
        CloseHandle(file);
        return bytes;
    }

    std::wstring path;
    std::wstring aside;
    bool hadTable = false;
};

HWND NameBoxOf(HWND entry) {
    for (const Probe::Child &child : Probe::Children(entry))
        if (_wcsicmp(child.className.c_str(), L"Edit") == 0)
            return child.window;
    return nullptr;
}

// The line the table holds for a game: 8 score digits, the name filled to 12
// characters, the level.
std::string ScoreLine(int score, const std::string &name, int level) {
    char line[64];
    std::snprintf(line, sizeof line, "%08d %-12s Livello %d", score, name.c_str(), level);
    return line;
}

std::wstring Wide(const std::string &text) {
    return std::wstring(text.begin(), text.end());
}

std::wstring ScoreText(int score) {
    wchar_t text[32];
    std::swprintf(text, 32, L"Punteggio: %05d", score);
    return text;
}

// Plays one game to its end: Left is held all game long, and left CTRL
// drops each trio once it is in the leftmost column. True when it ended.
bool PlayLeftColumnGame(GameWindow &game) {
    Probe::Click(game.PlayButton());
    if (!Probe::WaitFor([&] { return Probe::WindowText(game.PlayButton()) == L"ABBANDONA"; }))
        return false;
    game.BringToFront();
    Probe::KeyDown(VK_LEFT);
    const bool over = Probe::WaitFor(
        [&] {
            if (game.Status() == L"Fine gioco!")
                return true;
            if (E2E::TrioFallingInFirstColumn(game.ReadBoard()))
                Probe::HoldKey(VK_LCONTROL, 120ms);
            return false;
        },
        90s);
    Probe::KeyUp(VK_LEFT);
    return over;
}

HWND WaitForNameEntry(const GameWindow &game) {
    HWND entry = nullptr;
    Probe::WaitFor([&] {
        return (entry = Probe::FindTopWindow(L"Classifica", game.process.Id())) != nullptr;
    });
    return entry;
}

} // namespace

TEST(NameEntry, AsksAfterAGameWithPointsAndRecordsTheName) {
    SetAsideScoreTable table;
    const std::vector<E2E::Result> expected = E2E::PlayLeftColumnGames(3);
    ASSERT_GE(expected[0].score, 1) << "the seed gives the first game no points";
    ASSERT_GE(expected[1].score, 1) << "the seed gives the second game no points";
    ASSERT_EQ(expected[2].score, 0) << "the seed gives the third game points";

    GameWindow game(L"CorvantaSeeded");
    ASSERT_TRUE(game.Opened());

    // --- a first game with points: the name is typed and confirmed ---
    ASSERT_TRUE(PlayLeftColumnGame(game)) << "the first game did not end";
    EXPECT_EQ(game.Score(), ScoreText(expected[0].score));
    HWND entry = WaitForNameEntry(game);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(Probe::WindowText(entry), L"Classifica");
    EXPECT_NE(Probe::ChildWithText(entry, L"Inserisci il tuo nome:"), nullptr);
    EXPECT_NE(Probe::ChildWithText(entry, L"OK"), nullptr);
    // Over the middle of the main window, which waits; nothing is recorded
    // before the name is in.
    RECT mainRect{};
    RECT entryRect{};
    GetWindowRect(game.window, &mainRect);
    GetWindowRect(entry, &entryRect);
    EXPECT_LE(std::abs((mainRect.left + mainRect.right) - (entryRect.left + entryRect.right)), 1);
    EXPECT_LE(std::abs((mainRect.top + mainRect.bottom) - (entryRect.top + entryRect.bottom)), 1);
    EXPECT_FALSE(IsWindowEnabled(game.window));
    EXPECT_FALSE(table.Exists());

    HWND nameBox = NameBoxOf(entry);
    ASSERT_NE(nameBox, nullptr);
    ASSERT_TRUE(Probe::WaitFor([&] { return GetForegroundWindow() == entry; }, 3s));
    Probe::Type(L"anna");
    EXPECT_TRUE(Probe::WaitFor([&] { return Probe::WindowText(nameBox) == L"ANNA"; }, 3s))
        << "the box shows " << testing::PrintToString(Probe::WindowText(nameBox));
    // Enter with the box emptied is refused: the window stays.
    SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    Probe::HoldKey(VK_RETURN, 50ms);
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(IsWindowVisible(entry));
    EXPECT_FALSE(table.Exists());
    Probe::Type(L"anna");
    EXPECT_TRUE(Probe::WaitFor([&] { return Probe::WindowText(nameBox) == L"ANNA"; }, 3s));
    Probe::HoldKey(VK_RETURN, 50ms);
    ASSERT_TRUE(Probe::WaitFor([&] { return Probe::Gone(entry); }));
    EXPECT_TRUE(Probe::WaitFor([&] { return IsWindowEnabled(game.window) != FALSE; }));

    const std::string firstLine = ScoreLine(expected[0].score, "ANNA", expected[0].level);
    EXPECT_TRUE(Probe::WaitFor([&] { return table.Read() == firstLine + "\r\n"; }, 3s))
        << testing::PrintToString(table.Read());

    // The ticker shows the new line at its next turn, five seconds apart.
    const std::wstring ticker = L"Classifica: 1\u00b0 Punteggio " + Wide(firstLine);
    EXPECT_TRUE(Probe::WaitFor([&] { return game.Ticker() == ticker; }, 15s))
        << testing::PrintToString(game.Ticker());

    // --- a second game: the close box records under the name confirmed last ---
    ASSERT_TRUE(PlayLeftColumnGame(game)) << "the second game did not end";
    EXPECT_EQ(game.Score(), ScoreText(expected[1].score));
    entry = WaitForNameEntry(game);
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(IsWindowEnabled(game.window));
    nameBox = NameBoxOf(entry);
    ASSERT_NE(nameBox, nullptr);
    EXPECT_EQ(Probe::WindowText(nameBox), L"");
    ASSERT_TRUE(Probe::WaitFor([&] { return GetForegroundWindow() == entry; }, 3s));
    Probe::Type(L"zed");
    EXPECT_TRUE(Probe::WaitFor([&] { return Probe::WindowText(nameBox) == L"ZED"; }, 3s));
    Probe::RequestClose(entry);
    ASSERT_TRUE(Probe::WaitFor([&] { return Probe::Gone(entry); }));
    EXPECT_TRUE(Probe::WaitFor([&] { return IsWindowEnabled(game.window) != FALSE; }));

    const std::string secondLine = ScoreLine(expected[1].score, "ANNA", expected[1].level);
    const std::string both = secondLine > firstLine ? secondLine + "\r\n" + firstLine + "\r\n"
                                                    : firstLine + "\r\n" + secondLine + "\r\n";
    EXPECT_TRUE(Probe::WaitFor([&] { return table.Read() == both; }, 3s))
        << testing::PrintToString(table.Read());

    // --- a third game without points: "Fine gioco!" and no question ---
    ASSERT_TRUE(PlayLeftColumnGame(game)) << "the third game did not end";
    EXPECT_EQ(game.Score(), ScoreText(0));
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(Probe::FindTopWindow(L"Classifica", game.process.Id()), nullptr);
    EXPECT_TRUE(IsWindowEnabled(game.window));
    EXPECT_EQ(table.Read(), both);

    E2E::AskToLeave(
        game, [&] { Probe::Click(game.CloseButton()); }, IDYES);
    EXPECT_EQ(game.process.WaitExit(10s), 0u);
}
