// The conversions that carry Windows names through the program as UTF-8.
#include "platform/utf16.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf16, NamesRoundTripThroughUtf8) {
    struct Row {
        const char* name;
        std::u16string utf16;
        std::string utf8;
    };
    const Row rows[] = {
        {"ASCII", u"take.wav", "take.wav"},
        {"two bytes", u"Caf\u00E9.wav", "Caf\xC3\xA9.wav"},
        {"three bytes", u"\uD55C\uAD6D\uC5B4", "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4"},
        {"last of three bytes", u"\uFFFF", "\xEF\xBF\xBF"},
        {"surrogate pair", u"\U0001F3B5 take", "\xF0\x9F\x8E\xB5 take"},
        {"last code point", u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
        // A Windows name may hold a lone surrogate: it must come back as it was.
        {"lone high surrogate", std::u16string(1, u'\xD83C') + u"a",
         "\xED\xA0\xBC"
         "a"},
        {"lone low surrogate", std::u16string(1, u'\xDFB5'), "\xED\xBE\xB5"},
        {"reversed pair", std::u16string{u'\xDFB5', u'\xD83C'}, "\xED\xBE\xB5\xED\xA0\xBC"},
        {"empty", u"", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(utf8FromUtf16(r.utf16), r.utf8);
        EXPECT_EQ(utf16FromUtf8(r.utf8.c_str()), r.utf16);
    }
}

TEST(Utf16, BytesThatAreNoUtf8BecomeReplacementCharacters) {
    struct Row {
        const char* bytes;
        std::u16string utf16;
    };
    const Row rows[] = {
        {"\x95\x5C.wav", u"\uFFFD\\.wav"},                  // Shift-JIS
        {"\xC3", u"\uFFFD"},                                // cut short by the end
        {"\xE3\x83.", u"\uFFFD\uFFFD."},                    // cut short by another character
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // an overlong '/'
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
        {"\xFF", u"\uFFFD"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(utf16FromUtf8(r.bytes), r.utf16) << r.bytes;
    }
}

}  // namespace
