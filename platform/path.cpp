#include "platform/path.h"

#include <cstddef>
#include <cstring>

namespace {

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Width of the character that starts at `s`: 2 for a Shift-JIS lead byte followed by a trail
// byte (CP932 build only), 1 otherwise. A lead byte before anything else stands alone, so
// '/' and '.' after it still count and a piece name never holds a separator.
std::size_t charWidth(const char* s) {
    // On Windows paths arrive as UTF-8, whose multi-byte characters never hold these bytes.
#if defined(WAVSLICE_CP932) && !defined(_WIN32)
    const auto lead = static_cast<unsigned char>(s[0]);
    const auto trail = static_cast<unsigned char>(s[1]);
    const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    const bool isTrail = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC);
    if (isLead && isTrail) {
        return 2;
    }
#else
    (void)s;
#endif
    return 1;
}

}  // namespace

std::string pathBaseName(const char* path) {
    const char* name = path;
    if (isDriveLetter(path[0]) && path[1] == ':') {
        name = path + 2;
    }
    const char* dot = nullptr;
    for (const char* p = name; *p != '\0';) {
        if (*p == '\\' || *p == '/') {
            name = p + 1;
            dot = nullptr;
        } else if (*p == '.') {
            dot = p;
        }
        p += charWidth(p);
    }
    const char* end = dot != nullptr ? dot : name + std::strlen(name);
    return std::string(name, end);
}
