// Byte layouts of the input's RIFF structures and of the piece header, decoded and encoded
// field by field. All multi-byte values are little-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "wav/wav_info.h"

using FourCc = std::array<unsigned char, 4>;

constexpr std::size_t kRiffHeaderSize = 12;
constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kWavFmtSize = 16;
constexpr std::size_t kWavHeaderSize = 44;

struct RiffHeader {
    FourCc riffId;
    std::uint32_t size;  // read with the rest, never used
    FourCc waveId;
};

struct ChunkHeader {
    FourCc id;
    std::uint32_t size;
};

// The first 16 bytes of a "fmt " payload.
struct WavFmt {
    std::uint16_t formatTag;
    std::uint16_t channels;
    std::uint32_t sampleRate;
    std::uint32_t bytesPerSecond;
    std::uint16_t blockAlign;
    std::uint16_t bitsPerSample;
};

enum class ChunkKind { Fmt, Data, Other };

// Exactly four bytes, case-sensitive, no terminator.
inline bool fourCcIs(const FourCc& id, const char (&text)[5]) {
    return std::memcmp(id.data(), text, 4) == 0;
}

inline ChunkKind chunkKind(const FourCc& id) {
    if (fourCcIs(id, "fmt ")) {
        return ChunkKind::Fmt;
    }
    if (fourCcIs(id, "data")) {
        return ChunkKind::Data;
    }
    return ChunkKind::Other;
}

RiffHeader riffHeaderDecode(const unsigned char* b);
ChunkHeader chunkHeaderDecode(const unsigned char* b);
WavFmt wavFmtDecode(const unsigned char* b);

// The canonical 44-byte header of a piece holding `info.dataLength` sample bytes.
std::array<unsigned char, kWavHeaderSize> wavHeaderEncode(const WavInfo& info);
