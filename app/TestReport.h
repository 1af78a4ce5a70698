// A hidden window of the seeded test build that answers the end-to-end
// probe's questions about what only the program itself can read: its menu
// (other processes cannot read a menu under Wine) and the slot of a fresh
// GDI handle (Wine does not count GDI objects, so a leak shows as a slot
// number that keeps climbing). The shipped program has no such window.
#pragma once

#include <windows.h>

namespace VeRize {

// The class name the probe looks for.
inline constexpr wchar_t TestReportClass[] = L"CorvantaTestReport";
// Sets the window's text to the main window's menu, one entry per line:
// path (menu and entry captions joined by "/"), TAB, command id, TAB,
// 1 when checked else 0, TAB, 1 when greyed else 0. Answers the entry count.
inline constexpr UINT ReportMenuMessage = WM_APP + 1;
// Makes a brush, answers the low 16 bits of its handle and deletes it.
inline constexpr UINT ReportGdiSlotMessage = WM_APP + 2;

// Creates the hidden window; the menu is read from the given main window.
void StartTestReport(HINSTANCE instance, HWND mainWindow);

} // namespace VeRize
