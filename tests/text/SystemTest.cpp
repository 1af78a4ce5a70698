// The shell calls, under Wine: the local application data folder and
// opening something that does not exist.
#include "toolkit/core/System.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <windows.h>

using namespace OrvoUtility;

TEST(System, LocalAppDataFolderIsThePrefixsLocalFolder) {
    const NarrowText folder = LocalAppDataFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    // It is the same folder the environment names, and it exists.
    wchar_t env[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"LOCALAPPDATA", env, MAX_PATH), 0u);
    EXPECT_EQ(folder, Narrow(env));
    const DWORD attributes = GetFileAttributesW(Widen(folder).c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(System, OpenWithShellOfAMissingFileAnswersFalse) {
    EXPECT_FALSE(OpenWithShell("C:\\nessuna\\cartella\\manca.xyz"));
}
