#include "platform/utf16.h"

namespace {

void appendUtf8(std::string& out, char32_t c) {
    const auto byte = [&out](char32_t b) { out += static_cast<char>(b); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | c >> 6);
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | c >> 12);
        byte(0x80 | (c >> 6 & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | c >> 18);
        byte(0x80 | (c >> 12 & 0x3F));
        byte(0x80 | (c >> 6 & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

// The code point that starts at `s`, and in `length` the bytes it takes; U+FFFD and one
// byte where no well-formed sequence starts.
char32_t decodeUtf8(const unsigned char* s, std::size_t* length) {
    *length = 1;
    const char32_t b0 = s[0];
    if (b0 < 0x80) {
        return b0;
    }
    std::size_t n = 0;
    char32_t least = 0;
    if ((b0 & 0xE0) == 0xC0) {
        n = 2;
        least = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 3;
        least = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 4;
        least = 0x10000;
    } else {
        return 0xFFFD;
    }
    char32_t c = b0 & (0x7Fu >> n);
    for (std::size_t i = 1; i < n; ++i) {
        if ((s[i] & 0xC0) != 0x80) {  // also stops at the terminating zero
            return 0xFFFD;
        }
        c = c << 6 | (s[i] & 0x3F);
    }
    if (c < least || c > 0x10FFFF) {
        return 0xFFFD;
    }
    *length = n;
    return c;
}

}  // namespace

std::string utf8FromUtf16(const std::u16string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::u16string utf16FromUtf8(const char* text) {
    std::u16string out;
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    while (*s != 0) {
        std::size_t length = 0;
        const char32_t c = decodeUtf8(s, &length);
        s += length;
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}
