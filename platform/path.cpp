#include "platform/path.h"

#include <cstddef>
#include <cstring>

namespace {

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Width of the character that starts at `s`: 2 for a Shift-JIS lead byte with a byte after
// it (CP932 build only), 1 otherwise.
std::size_t charWidth(const char* s) {
#ifdef WAVSLICE_CP932
    const auto b = static_cast<unsigned char>(s[0]);
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    if (lead && s[1] != '\0') {
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
