// The one record of a run: the input's format, where its data lies, and the piece in hand.
#pragma once

#include <cstdint>

struct WavInfo {
    std::uint32_t sampleRate = 0;
    std::uint16_t bitsPerSample = 0;
    // The input's "data" payload size; from the start of splitting, the current piece's.
    std::uint32_t dataLength = 0;
    std::uint16_t channels = 0;
    // The declared rate: it, not sampleRate x blockAlign, turns seconds into bytes.
    std::uint32_t bytesPerSecond = 0;
    // The input position of the "data" payload; during splitting, of the current piece.
    std::int64_t dataOffset = 0;
    std::int32_t startSecond = 0;
    std::int32_t endSecond = 0;
};

// Bytes of one sample frame.
inline std::uint32_t frameBytes(std::uint16_t bitsPerSample, std::uint16_t channels) {
    return static_cast<std::uint32_t>(bitsPerSample / 8u) * channels;
}

inline std::uint32_t frameBytes(const WavInfo& info) {
    return frameBytes(info.bitsPerSample, info.channels);
}
