#include "app/args.h"

#include <limits>

namespace {

// The C locale's white space, which is what atol skips.
bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::int32_t parsePieceSeconds(const char* text) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();

    const char* p = text;
    while (isSpace(*p)) {
        ++p;
    }
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') {
        ++p;
    }
    // Accumulate the magnitude, stopping once it is past either limit.
    std::int64_t magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (magnitude <= kMax + 1) {
            magnitude = magnitude * 10 + (*p - '0');
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > kMax) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < kMin) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}
