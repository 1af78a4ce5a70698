// Whole-file reading and writing of lines of narrow text.
//
// On disk every line ends with CR LF on every platform. Reading accepts
// CR LF and a bare LF as a line end; any other byte, a lone CR or a zero byte
// included, stays in its line unchanged. Paths are narrow text: on Windows
// each byte stands for the Unicode character of the same value (Latin-1).
#pragma once

#include "toolkit/core/Text.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace VeRize {

using TextLines = std::vector<OrvoUtility::NarrowText>;

class TextFile {
public:
    explicit TextFile(OrvoUtility::NarrowText filePath);

    bool failed = false;   // the file could not be opened, read or written
    bool notFound = false; // the file could not be opened at all
    OrvoUtility::NarrowText path;

    // The lines of the file, in order. A last line without a line end is
    // read too; the end of the file after a last line end adds no line.
    // After a read error the lines read so far are returned with `failed` set.
    TextLines ReadLines();

    // Replaces the file by the given lines. The new contents go to a file
    // beside the old one, which then takes the old one's place in one step:
    // when anything fails the old file stays whole and the answer is false.
    // A file marked read-only is never replaced.
    bool WriteLines(const TextLines &lines);
};

// The file-system path of a narrow path: on Windows every byte becomes the
// Unicode character of the same value, elsewhere the bytes are kept as they are.
std::filesystem::path NativePath(const OrvoUtility::NarrowText &path);

// The name of the file that WriteLines fills before it replaces `path`.
OrvoUtility::NarrowText ReplacementPath(const OrvoUtility::NarrowText &path);

// Makes file reading or writing fail after the given number of bytes, as a
// failing disk would, so the failure paths can be exercised. Negative: never.
struct FileFaults {
    std::int64_t readFailsAfter = -1;
    std::int64_t writeFailsAfter = -1;
};
void SetFileFaults(FileFaults faults);

} // namespace VeRize
