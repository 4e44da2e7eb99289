#include "platform/console.h"

#ifdef _WIN32

#include <windows.h>

#include "platform/utf16.h"

namespace {

constexpr UINT kConsoleCodePage = 932;

}  // namespace

std::string consoleName(const char* path) {
    const std::u16string text = utf16FromUtf8(path);
    std::string out;
    // One character at a time, so that each one without a form becomes one '?'.
    for (std::size_t i = 0; i < text.size();) {
        const int units =
            isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]) ? 2 : 1;
        wchar_t wide[2] = {static_cast<wchar_t>(text[i]),
                           static_cast<wchar_t>(units == 2 ? text[i + 1] : 0)};
        i += static_cast<std::size_t>(units);
        char bytes[8];
        BOOL usedDefault = FALSE;
        const int length = WideCharToMultiByte(kConsoleCodePage, WC_NO_BEST_FIT_CHARS, wide, units,
                                               bytes, sizeof bytes, "?", &usedDefault);
        // Only a form that reads back as the same character counts: no best fit slips by.
        wchar_t back[2] = {0, 0};
        const bool exact = length > 0 && usedDefault == FALSE &&
                           MultiByteToWideChar(kConsoleCodePage, MB_ERR_INVALID_CHARS, bytes,
                                               length, back, 2) == units &&
                           back[0] == wide[0] && back[1] == wide[1];
        if (exact) {
            out.append(bytes, static_cast<std::size_t>(length));
        } else {
            out += '?';
        }
    }
    return out;
}

#else

std::string consoleName(const char* path) {
    return path;
}

#endif
