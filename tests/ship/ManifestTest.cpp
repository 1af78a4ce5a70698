// The application manifest travels inside the executable with the other
// resources, and it is one that the system accepts: a manifest the loader
// cannot read stops the program from starting at all.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

std::wstring ThisProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

} // namespace

TEST(Manifest, IsEmbeddedAsTheProgramsManifest) {
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(resource, nullptr);
    EXPECT_GT(SizeofResource(nullptr, resource), 0u);
}

TEST(Manifest, MakesAnActivationContext) {
    const std::wstring program = ThisProgram();
    ACTCTXW context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.hModule = GetModuleHandleW(nullptr);
    context.lpResourceName = MAKEINTRESOURCEW(1);
    context.lpSource = program.c_str();
    HANDLE handle = CreateActCtxW(&context);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    ReleaseActCtx(handle);
}
