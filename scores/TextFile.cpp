#include "scores/TextFile.h"

#include <algorithm>
#include <cstdio>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace VeRize {

using OrvoUtility::NarrowText;
namespace fs = std::filesystem;

namespace {

FileFaults &Faults() {
    static FileFaults faults;
    return faults;
}

// Files are opened without denying other programs any access.
std::FILE *OpenFile(const NarrowText &path, bool forWriting) {
#ifdef _WIN32
    return _wfsopen(OrvoUtility::Widen(path).c_str(), forWriting ? L"wb" : L"rb", _SH_DENYNO);
#else
    return std::fopen(path.c_str(), forWriting ? "wb" : "rb");
#endif
}

// Pushes the file's contents down to the disk before it takes the old
// file's place, so a crash cannot leave an empty table behind.
bool SyncToDisk(std::FILE *file) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

// Puts the file `from` in the place of `to` in one step.
bool ReplaceFile(const NarrowText &from, const NarrowText &to) {
#ifdef _WIN32
    return MoveFileExW(OrvoUtility::Widen(from).c_str(), OrvoUtility::Widen(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

// Splits bytes into lines: LF ends a line and a CR just before it belongs
// to the line end; every other byte is kept.
class LineSplitter {
public:
    explicit LineSplitter(TextLines &lines) : lines_(lines) {}

    void Feed(const char *bytes, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (bytes[i] == '\n') {
                if (!current_.empty() && current_.back() == '\r')
                    current_.pop_back();
                lines_.push_back(std::move(current_));
                current_.clear();
            } else {
                current_.push_back(bytes[i]);
            }
        }
    }

    // The last line, when the file does not end with a line end.
    void Finish() {
        if (!current_.empty())
            lines_.push_back(std::move(current_));
        current_.clear();
    }

private:
    TextLines &lines_;
    NarrowText current_;
};

// Writes bytes, honouring an injected write fault.
class ByteWriter {
public:
    explicit ByteWriter(std::FILE *file) : file_(file) {}

    bool Write(const char *bytes, std::size_t count) {
        std::size_t allowed = count;
        const std::int64_t limit = Faults().writeFailsAfter;
        if (limit >= 0) {
            const std::int64_t left = std::max<std::int64_t>(0, limit - written_);
            allowed = static_cast<std::size_t>(
                std::min<std::int64_t>(left, static_cast<std::int64_t>(count)));
        }
        const std::size_t done = allowed > 0 ? std::fwrite(bytes, 1, allowed, file_) : 0;
        written_ += static_cast<std::int64_t>(done);
        return done == count;
    }

private:
    std::FILE *file_;
    std::int64_t written_ = 0;
};

} // namespace

fs::path NativePath(const NarrowText &path) {
#ifdef _WIN32
    return fs::path(OrvoUtility::Widen(path));
#else
    return fs::path(path);
#endif
}

NarrowText ReplacementPath(const NarrowText &path) {
    return path + ".new";
}

void SetFileFaults(FileFaults faults) {
    Faults() = faults;
}

TextFile::TextFile(NarrowText filePath) : path(std::move(filePath)) {}

TextLines TextFile::ReadLines() {
    failed = false;
    notFound = false;
    TextLines lines;
    std::FILE *file = OpenFile(path, false);
    if (!file) {
        failed = true;
        notFound = true;
        return lines;
    }

    LineSplitter splitter(lines);
    char buffer[4096];
    std::int64_t total = 0;
    bool readError = false;
    for (;;) {
        std::size_t want = sizeof buffer;
        const std::int64_t limit = Faults().readFailsAfter;
        if (limit >= 0)
            want = static_cast<std::size_t>(std::min<std::int64_t>(
                std::max<std::int64_t>(0, limit - total), static_cast<std::int64_t>(want)));
        const std::size_t got = want > 0 ? std::fread(buffer, 1, want, file) : 0;
        total += static_cast<std::int64_t>(got);
        splitter.Feed(buffer, got);
        if (got < want || want == 0) {
            readError = want == 0 || std::ferror(file) != 0;
            break;
        }
    }
    std::fclose(file);

    if (readError)
        failed = true; // the lines read so far stay; an unfinished line is dropped
    else
        splitter.Finish();
    return lines;
}

bool TextFile::WriteLines(const TextLines &lines) {
    failed = false;
    notFound = false;

    // Something other than a plain file in the way, or a file the user
    // made read-only: leave it alone.
    std::error_code error;
    const fs::file_status target = fs::status(NativePath(path), error);
    if (!error && fs::exists(target)) {
        if (!fs::is_regular_file(target) ||
            (target.permissions() & fs::perms::owner_write) == fs::perms::none) {
            failed = true;
            return false;
        }
    }

    const NarrowText replacement = ReplacementPath(path);
    std::FILE *file = OpenFile(replacement, true);
    if (!file) {
        failed = true;
        notFound = true;
        return false;
    }

    ByteWriter writer(file);
    for (const NarrowText &line : lines) {
        if (!writer.Write(line.data(), line.size()) || !writer.Write("\r\n", 2) ||
            std::fflush(file) != 0) {
            failed = true;
            break;
        }
    }
    if (!failed && !SyncToDisk(file))
        failed = true;
    if (std::fclose(file) != 0)
        failed = true;
    if (!failed && !ReplaceFile(replacement, path))
        failed = true;
    if (failed) {
        fs::remove(NativePath(replacement), error);
        return false;
    }
    return true;
}

} // namespace VeRize
