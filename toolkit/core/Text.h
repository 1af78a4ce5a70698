// Text and number helpers shared by the toolkit and the game.
//
// The program keeps all of its own strings as narrow text: one byte per
// character, each byte standing for the Unicode character of the same value
// (ISO 8859-1), so the degree sign is the single byte 0xB0. Win32 calls take
// wide text: UTF-16 code units, held in std::wstring (on the Linux host build
// wchar_t is wider, but every unit still holds one UTF-16 code unit).
#pragma once

#include <cstdint>
#include <string>

namespace OrvoUtility {

using NarrowText = std::string;
using WideText = std::wstring;

// Each byte up to the first zero byte becomes the UTF-16 unit of the same value.
WideText Widen(const NarrowText &text);
// Every unit becomes one byte, its low 8 bits (U+20AC becomes 0xAC).
NarrowText Narrow(const WideText &text);

// Plain decimal, "-" for negatives, no grouping.
NarrowText Decimal(std::int64_t value);
WideText WideDecimal(std::int64_t value);

// Decimal of value padded on the left with '0' to at least width characters.
// The zeros go before the sign: ZeroPadded(-5, 4) is "00-5".
NarrowText ZeroPadded(std::int32_t value, int width);

// text followed by copies of fill until it is width characters long.
NarrowText PadRight(const NarrowText &text, char fill, std::size_t width);

// Replaces every occurrence of pattern, searching again from the start after
// each replacement, so the result holds no occurrence of the pattern.
// An empty pattern returns the text unchanged; a replacement that contains
// the pattern is applied in one left-to-right pass (repeating would never end).
NarrowText ReplaceAll(const NarrowText &text, const NarrowText &pattern,
                      const NarrowText &replacement);

} // namespace OrvoUtility
