#include "scores/ScoreTable.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace VeRize {

using OrvoUtility::NarrowText;
namespace fs = std::filesystem;

#ifdef _WIN32
const char kPathSeparator = '\\';
#else
const char kPathSeparator = '/';
#endif

namespace {

const char kScoreFileName[] = "Classifica.txt";
const char kScoreSubfolder[] = "Score";
const std::size_t kTableSize = 10;
const std::size_t kScoreDigits = 8;
const std::size_t kNameWidth = 12;

LocalAppDataSource &AppDataSource() {
    static LocalAppDataSource source;
    return source;
}

NarrowText LocalAppDataFolder() {
    const LocalAppDataSource &source = AppDataSource();
    return source ? source() : NarrowText();
}

bool EntryExists(const NarrowText &path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(NativePath(path), error));
}

} // namespace

void SetLocalAppDataSource(LocalAppDataSource source) {
    AppDataSource() = std::move(source);
}

ScoreTable::ScoreTable(NarrowText name) : folderName(std::move(name)) {}

NarrowText ScoreTable::WithTrailingSeparator(const NarrowText &path) {
    if (path.empty() || path.back() == '/' || path.back() == '\\')
        return path;
    return path + kPathSeparator;
}

bool ScoreTable::EnsureDirectory(const NarrowText &path) {
    const fs::path native = NativePath(path);
    std::error_code error;
    if (fs::is_directory(native, error))
        return true;
    return fs::create_directory(native, error) && !error;
}

NarrowText ScoreTable::ScoreFolder(const NarrowText &name) {
    // Only the program's folder and its "Score" folder are ever made; the
    // base folder must already be there.
    NarrowText directory = WithTrailingSeparator(LocalAppDataFolder()) + name;
    if (!EnsureDirectory(directory))
        return NarrowText();
    directory = WithTrailingSeparator(directory) + kScoreSubfolder;
    if (!EnsureDirectory(directory))
        return NarrowText();
    return WithTrailingSeparator(directory);
}

TextLines ScoreTable::Load() {
    failed = false;
    const NarrowText folder = ScoreFolder(folderName);
    if (folder.empty()) {
        failed = true;
        return TextLines();
    }
    const NarrowText path = folder + kScoreFileName;
    if (!EntryExists(path))
        return TextLines();

    // A file that is there but cannot be read whole is a failure, so that
    // Add never replaces entries it could not see.
    TextFile file(path);
    TextLines lines = file.ReadLines();
    failed = file.failed;
    return lines;
}

bool ScoreTable::Add(std::int32_t score, const NarrowText &entryText) {
    TextLines lines = Load();
    if (failed)
        return false;
    lines.push_back(EntryLine(score, entryText));
    return Save(std::move(lines));
}

bool ScoreTable::Save(TextLines lines) {
    failed = false;
    SortByRank(lines);
    if (lines.size() > kTableSize)
        lines.resize(kTableSize);
    const NarrowText folder = ScoreFolder(folderName);
    if (folder.empty()) {
        failed = true;
        return false;
    }
    TextFile file(folder + kScoreFileName);
    const bool written = file.WriteLines(lines);
    failed = file.failed;
    return written && !failed;
}

NarrowText EntryLine(std::int32_t score, const NarrowText &entryText) {
    NarrowText digits = OrvoUtility::ZeroPadded(score, static_cast<int>(kScoreDigits));
    if (digits.size() > kScoreDigits)
        digits.erase(0, digits.size() - kScoreDigits);
    // A line break inside the text would split the entry into two lines of
    // the file; it becomes a space.
    NarrowText text = entryText;
    std::replace(text.begin(), text.end(), '\n', ' ');
    return digits + ' ' + text;
}

NarrowText PlayerEntryText(const NarrowText &playerName, std::int64_t level) {
    return OrvoUtility::PadRight(playerName, ' ', kNameWidth) + " Livello " +
           OrvoUtility::Decimal(level);
}

bool RanksAbove(const NarrowText &a, const NarrowText &b) {
    return std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

void SortByRank(TextLines &lines) {
    std::stable_sort(lines.begin(), lines.end(), RanksAbove);
}

} // namespace VeRize
