// The table of the ten best results, kept in "Classifica.txt" in the folder
// "Score" of the program's own folder under the user's local application
// data folder.
//
// One entry is one line: the score as 8 decimal digits (filled with zeros on
// the left; of a longer number only the last 8 digits), a space, then the
// entry text. Lines rank byte by byte as unsigned values, the greater line
// first, so the fixed-width score orders the table. Nothing is cached: every
// operation finds the folder and reads or rewrites the whole file.
#pragma once

#include "scores/TextFile.h"
#include "toolkit/core/Text.h"

#include <cstdint>
#include <functional>

namespace VeRize {

// Where the user's local application data folder is (narrow text, empty when
// unknown). The program installs the system's answer; tests point it at a
// folder of their own. Until one is installed the folder counts as unknown
// and the table lives under the current directory.
using LocalAppDataSource = std::function<OrvoUtility::NarrowText()>;
void SetLocalAppDataSource(LocalAppDataSource source);

// The separator that joins the folder levels: "\" on Windows, "/" elsewhere.
extern const char kPathSeparator;

class ScoreTable {
public:
    explicit ScoreTable(OrvoUtility::NarrowText name);

    OrvoUtility::NarrowText folderName;
    bool failed = false; // the folder or the file could not be used

    // The entry lines in file order (more than ten if the file was edited by
    // hand). No file yet is no failure; a file that cannot be read whole is.
    TextLines Load();

    // Merges one entry into the table and rewrites the file, cut to ten.
    // False, with the file untouched, when the table could not be read
    // whole or the new file could not be written.
    bool Add(std::int32_t score, const OrvoUtility::NarrowText &entryText);

    // Orders the lines best first, keeps the first ten and writes them.
    bool Save(TextLines lines);

    // The path of the score folder with a trailing separator, making the
    // folder and the one above it when they are missing; empty text when
    // either cannot be made or something other than a folder is in the way.
    static OrvoUtility::NarrowText ScoreFolder(const OrvoUtility::NarrowText &name);

    // True when a folder of that name exists or was just made.
    static bool EnsureDirectory(const OrvoUtility::NarrowText &path);

    // Empty text stays empty; a path ending in "/" or "\" stays as it is;
    // any other path gets one separator appended.
    static OrvoUtility::NarrowText WithTrailingSeparator(const OrvoUtility::NarrowText &path);
};

// The entry line for a score and an entry text.
OrvoUtility::NarrowText EntryLine(std::int32_t score, const OrvoUtility::NarrowText &entryText);

// The entry text the game records: the player's name filled with spaces to
// 12 characters (a longer name stays whole), " Livello ", then the level.
OrvoUtility::NarrowText PlayerEntryText(const OrvoUtility::NarrowText &playerName,
                                        std::int64_t level);

// True when line a ranks above line b.
bool RanksAbove(const OrvoUtility::NarrowText &a, const OrvoUtility::NarrowText &b);

// Sorts lines best first.
void SortByRank(TextLines &lines);

} // namespace VeRize
