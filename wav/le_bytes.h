// Little-endian field access over byte buffers, independent of the host's byte order.
#pragma once

#include <cstdint>

inline std::uint16_t le16(const unsigned char* b) {
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(b[0]) |
                                      static_cast<std::uint32_t>(b[1]) << 8);
}

inline std::uint32_t le32(const unsigned char* b) {
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

inline void putLe16(unsigned char* b, std::uint16_t v) {
    b[0] = static_cast<unsigned char>(v & 0xFFu);
    b[1] = static_cast<unsigned char>(v >> 8);
}

inline void putLe32(unsigned char* b, std::uint32_t v) {
    b[0] = static_cast<unsigned char>(v & 0xFFu);
    b[1] = static_cast<unsigned char>((v >> 8) & 0xFFu);
    b[2] = static_cast<unsigned char>((v >> 16) & 0xFFu);
    b[3] = static_cast<unsigned char>(v >> 24);
}
