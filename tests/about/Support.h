// Helpers for the About box tests: a real owner window, the box opened the
// way the main window opens it, real key presses and messages.
#pragma once

#include "about/FormAbout.h"
#include "toolkit/core/Form.h"
#include "tests/support/MessagePump.h"

#include <memory>
#include <string>

namespace AboutTest {

using namespace OrvoUtility;

// The values the main window gives the box.
inline constexpr std::int32_t BannerId = 1006;
inline constexpr std::int32_t BannerWidth = 164;
inline constexpr std::int32_t BannerHeight = 50;
inline const NarrowText TitleText = "Corvanta 1.1.0.0";
inline const NarrowText CreditText = "\xA9 2026 Gli autori di Corvanta";
inline const NarrowText WebAddress = "http://www.example.com";
inline const NarrowText NoticeText = "Corvanta \xE8 un gioco libero.\r\n"
                                     "Nessuna garanzia \xE8 data.\r\n"
                                     "Buon divertimento!";

using TestSupport::Pump;

// Posts a key press and release to a window and dispatches them, so the
// character comes from the key as it does when a player types.
void PressKey(HWND target, UINT virtualKey);

// The test program's one owner window, made on first use and destroyed when
// all tests have run (destroying top-level windows is slow under Wine).
Form &Owner();

// Fills in a box as the main window does, creates it when its window does
// not exist yet and shows it without activation.
void Open(FormAbout &box, const NarrowText &webAddress = WebAddress);

// A new box over the owner, opened.
std::unique_ptr<FormAbout> OpenBox(const NarrowText &webAddress = WebAddress);

// The element's window rectangle in its parent's client coordinates.
RECT PlaceOf(const GUIElement &element);

} // namespace AboutTest
