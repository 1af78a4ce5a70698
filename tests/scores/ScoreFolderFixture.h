// A fresh folder for each test that stands in for the user's local
// application data folder, plus small helpers for real files in it.
#pragma once

#include "scores/ScoreTable.h"
#include "scores/TextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <system_error>

namespace VeRize::Testing {

namespace fs = std::filesystem;

// The narrow text of a path, as the program would hold it.
inline OrvoUtility::NarrowText NarrowPath(const fs::path &path) {
#ifdef _WIN32
    return OrvoUtility::Narrow(path.wstring());
#else
    return path.string();
#endif
}

inline std::string ReadBytes(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const fs::path &path, const std::string &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << NarrowPath(path);
}

// Every entry under a folder: relative path -> "dir" or "file:" + contents.
using FolderSnapshot = std::map<std::string, std::string>;

inline FolderSnapshot Snapshot(const fs::path &root) {
    FolderSnapshot snapshot;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        const std::string name = NarrowPath(fs::relative(it->path(), root));
        snapshot[name] = it->is_directory() ? "dir" : "file:" + ReadBytes(it->path());
    }
    return snapshot;
}

class ScoreFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        const std::string unique = std::to_string(random()) + "-" + std::to_string(random());
        base = fs::temp_directory_path() / ("corvanta-scores-" + unique);
        ASSERT_TRUE(fs::create_directories(base));
        SetBase(base);
    }

    void TearDown() override {
        SetLocalAppDataSource({});
        SetFileFaults({});
        std::error_code error;
        // Read-only files would refuse to go on Windows.
        for (auto it = fs::recursive_directory_iterator(base, error);
             !error && it != fs::recursive_directory_iterator(); it.increment(error))
            fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, error);
        fs::remove_all(base, error);
    }

    // Points the local application data folder at the given folder.
    void SetBase(const fs::path &folder) {
        const OrvoUtility::NarrowText narrow = NarrowPath(folder);
        SetLocalAppDataSource([narrow] { return narrow; });
    }

    fs::path ScoreDir() const { return base / "Corvanta" / "Score"; }
    fs::path ScoreFile() const { return ScoreDir() / "Classifica.txt"; }

    void WriteScoreFile(const std::string &bytes) {
        fs::create_directories(ScoreDir());
        WriteBytes(ScoreFile(), bytes);
    }

    fs::path base;
};

} // namespace VeRize::Testing
