#include "toolkit/core/Text.h"

#include <cinttypes>
#include <cstdio>

namespace OrvoUtility {

WideText Widen(const NarrowText &text) {
    WideText wide;
    wide.reserve(text.size());
    for (char c : text) {
        if (c == '\0')
            break;
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return wide;
}

NarrowText Narrow(const WideText &text) {
    NarrowText narrow;
    narrow.reserve(text.size());
    for (wchar_t unit : text)
        narrow.push_back(static_cast<char>(static_cast<std::uint32_t>(unit) & 0xFFu));
    return narrow;
}

NarrowText Decimal(std::int64_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%" PRId64, value);
    return buffer;
}

WideText WideDecimal(std::int64_t value) {
    return Widen(Decimal(value));
}

NarrowText ZeroPadded(std::int32_t value, int width) {
    NarrowText digits = Decimal(value);
    if (width > 0 && digits.size() < static_cast<std::size_t>(width))
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

NarrowText PadRight(const NarrowText &text, char fill, std::size_t width) {
    NarrowText padded = text;
    if (padded.size() < width)
        padded.append(width - padded.size(), fill);
    return padded;
}

NarrowText ReplaceAll(const NarrowText &text, const NarrowText &pattern,
                      const NarrowText &replacement) {
    if (pattern.empty())
        return text;
    NarrowText result = text;
    if (replacement.find(pattern) != NarrowText::npos) {
        // Searching from the start again would find the replacement itself
        // for ever: replace left to right, once, past each replacement.
        std::size_t at = 0;
        while ((at = result.find(pattern, at)) != NarrowText::npos) {
            result.replace(at, pattern.size(), replacement);
            at += replacement.size();
        }
        return result;
    }
    std::size_t at;
    while ((at = result.find(pattern)) != NarrowText::npos)
        result.replace(at, pattern.size(), replacement);
    return result;
}

} // namespace OrvoUtility
