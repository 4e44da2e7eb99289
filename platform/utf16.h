// UTF-16 to UTF-8 and back, for the names Windows hands over and takes as UTF-16.
#pragma once

#include <cstddef>
#include <string>

inline bool isHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

inline bool isLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// A lone surrogate, which a Windows file name may hold, travels as a three-byte sequence of
// its own both ways, so every name the file system holds survives the round trip.
std::string utf8FromUtf16(const std::u16string& text);

// Bytes that are no UTF-8 sequence become U+FFFD each.
std::u16string utf16FromUtf8(const char* text);
