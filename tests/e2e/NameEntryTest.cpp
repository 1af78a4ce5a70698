// The name asked for after a game with points, in the real program: what the
// player sees while typing, what reaches Classifica.txt on each way out of the
// window, and the ticker line that shows it.
//
// Runs the seeded build and plays games with every trio dropped at once
// (left CTRL held) until one ends with points.
#include "tests/e2e/GameWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>

using namespace std::chrono_literals;
using E2E::GameWindow;

namespace {

// The game's table in the prefix the tests run in (the game runs in the same
// one), emptied for the test and put back afterwards.
class EmptyScoreTable {
public:
    EmptyScoreTable() {
        wchar_t folder[MAX_PATH] = {};
        GetEnvironmentVariableW(L"LOCALAPPDATA", folder, MAX_PATH);
        path = std::wstring(folder) + L"\\Corvanta\\Score\\Classifica.txt";
        aside = path + L".name-e2e";
        hadTable = MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    }
    ~EmptyScoreTable() {
        if (hadTable)
            MoveFileExW(aside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
        else
            DeleteFileW(path.c_str());
    }
    EmptyScoreTable(const EmptyScoreTable &) = delete;
    EmptyScoreTable &operator=(const EmptyScoreTable &) = delete;

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

// The number at the end of a counter display ("Punteggio: 00012" is 12).
int CounterValue(const std::wstring &display) {
    const std::size_t colon = display.find(L": ");
    if (colon == std::wstring::npos)
        return -1;
    return std::stoi(display.substr(colon + 2));
}

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

struct FinishedGame {
    HWND entry = nullptr; // the name window, none when the game had no points
    int score = -1;
    int level = -1;
};

// Plays one game to its end with every trio dropped as soon as it shows.
FinishedGame PlayOut(GameWindow &game) {
    FinishedGame result;
    Probe::Click(game.PlayButton());
    if (!Probe::WaitFor([&] { return Probe::WindowText(game.PlayButton()) == L"ABBANDONA"; }))
        return result;
    game.BringToFront();
    Probe::KeyDown(VK_LCONTROL);
    const bool over = Probe::WaitFor([&] { return game.Status() == L"Fine gioco!"; }, 120s);
    Probe::KeyUp(VK_LCONTROL);
    if (!over)
        return result;
    result.score = CounterValue(game.Score());
    result.level = CounterValue(game.Level());
    if (result.score > 0)
        Probe::WaitFor([&] {
            return (result.entry = Probe::FindTopWindow(L"Classifica", game.process.Id()));
        });
    return result;
}

// Plays games until one ends with points.
FinishedGame PlayUntilTheNameIsAsked(GameWindow &game) {
    for (int games = 0; games < 15; ++games) {
        const FinishedGame result = PlayOut(game);
        if (result.score != 0)
            return result; // with points, or something went wrong
        // A game without points asks for nothing.
        std::this_thread::sleep_for(300ms);
        EXPECT_EQ(Probe::FindTopWindow(L"Classifica", game.process.Id()), nullptr);
        EXPECT_TRUE(IsWindowEnabled(game.window));
    }
    return FinishedGame{};
}

TEST(NameEntry, RecordsTheConfirmedNameAndKeepsItForTheCloseBox) {
    EmptyScoreTable table;
    GameWindow game(L"CorvantaSeeded");
    ASSERT_TRUE(game.Opened());

    // --- a first game with points: the name is typed and confirmed ---
    const FinishedGame first = PlayUntilTheNameIsAsked(game);
    ASSERT_NE(first.entry, nullptr) << "no game ended with points";
    EXPECT_EQ(Probe::WindowText(first.entry), L"Classifica");
    EXPECT_NE(Probe::ChildWithText(first.entry, L"Inserisci il tuo nome:"), nullptr);
    EXPECT_NE(Probe::ChildWithText(first.entry, L"OK"), nullptr);
    // The main window waits, and nothing is recorded before the name is in.
    EXPECT_FALSE(IsWindowEnabled(game.window));
    EXPECT_FALSE(table.Exists());

    HWND nameBox = NameBoxOf(first.entry);
    ASSERT_NE(nameBox, nullptr);
    ASSERT_TRUE(Probe::WaitFor([&] { return GetForegroundWindow() == first.entry; }, 3s));
    Probe::Type(L"anna");
    EXPECT_TRUE(Probe::WaitFor([&] { return Probe::WindowText(nameBox) == L"ANNA"; }, 3s))
        << "the box shows " << testing::PrintToString(Probe::WindowText(nameBox));
    // Enter with the box emptied is refused: the window stays.
    SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    Probe::HoldKey(VK_RETURN, 50ms);
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(IsWindowVisible(first.entry));
    EXPECT_FALSE(table.Exists());
    Probe::Type(L"anna");
    EXPECT_TRUE(Probe::WaitFor([&] { return Probe::WindowText(nameBox) == L"ANNA"; }, 3s));
    Probe::HoldKey(VK_RETURN, 50ms);
    ASSERT_TRUE(Probe::WaitFor([&] { return Probe::Gone(first.entry); }));
    EXPECT_TRUE(Probe::WaitFor([&] { return IsWindowEnabled(game.window) != FALSE; }));

    const std::string firstLine = ScoreLine(first.score, "ANNA", first.level);
    EXPECT_TRUE(Probe::WaitFor([&] { return table.Read() == firstLine + "\r\n"; }, 3s))
        << testing::PrintToString(table.Read());

    // The ticker shows the new line at its next turn, five seconds apart.
    const std::wstring ticker = L"Classifica: 1\u00b0 Punteggio " + Wide(firstLine);
    EXPECT_TRUE(Probe::WaitFor([&] { return game.Ticker() == ticker; }, 15s))
        << testing::PrintToString(game.Ticker());

    // --- a second game: the close box records under the name confirmed last ---
    const FinishedGame second = PlayUntilTheNameIsAsked(game);
    ASSERT_NE(second.entry, nullptr) << "no second game ended with points";
    EXPECT_FALSE(IsWindowEnabled(game.window));
    nameBox = NameBoxOf(second.entry);
    ASSERT_NE(nameBox, nullptr);
    EXPECT_EQ(Probe::WindowText(nameBox), L"");
    ASSERT_TRUE(Probe::WaitFor([&] { return GetForegroundWindow() == second.entry; }, 3s));
    Probe::Type(L"zed");
    EXPECT_TRUE(Probe::WaitFor([&] { return Probe::WindowText(nameBox) == L"ZED"; }, 3s));
    Probe::RequestClose(second.entry);
    ASSERT_TRUE(Probe::WaitFor([&] { return Probe::Gone(second.entry); }));
    EXPECT_TRUE(Probe::WaitFor([&] { return IsWindowEnabled(game.window) != FALSE; }));

    const std::string secondLine = ScoreLine(second.score, "ANNA", second.level);
    const std::string both = secondLine > firstLine ? secondLine + "\r\n" + firstLine + "\r\n"
                                                    : firstLine + "\r\n" + secondLine + "\r\n";
    EXPECT_TRUE(Probe::WaitFor([&] { return table.Read() == both; }, 3s))
        << testing::PrintToString(table.Read());

    // The program still ends as usual.
    Probe::Click(game.CloseButton());
    HWND box = game.WaitForExitQuestion();
    ASSERT_NE(box, nullptr);
    Probe::Answer(box, IDYES);
    EXPECT_EQ(game.process.WaitExit(10s), 0u);
}

} // namespace
