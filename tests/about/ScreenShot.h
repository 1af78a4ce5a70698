// Saves what the screen shows, for looking at the box.
#pragma once

#include <windows.h>

namespace AboutTest {

// Writes the whole screen to a 24-bit BMP file; true when it was written.
bool SaveScreen(const wchar_t *path);

} // namespace AboutTest
