#include "wav/wav_layout.h"

#include "wav/le_bytes.h"

namespace {

FourCc fourCc(const unsigned char* b) {
    return {b[0], b[1], b[2], b[3]};
}

void putFourCc(unsigned char* b, const char (&text)[5]) {
    std::memcpy(b, text, 4);
}

}  // namespace

RiffHeader riffHeaderDecode(const unsigned char* b) {
    RiffHeader h{};
    h.riffId = fourCc(b + 0);
    h.size = le32(b + 4);
    h.waveId = fourCc(b + 8);
    return h;
}

ChunkHeader chunkHeaderDecode(const unsigned char* b) {
    ChunkHeader h{};
    h.id = fourCc(b + 0);
    h.size = le32(b + 4);
    return h;
}

WavFmt wavFmtDecode(const unsigned char* b) {
    WavFmt fmt{};
    fmt.formatTag = le16(b + 0);
    fmt.channels = le16(b + 2);
    fmt.sampleRate = le32(b + 4);
    fmt.bytesPerSecond = le32(b + 8);
    fmt.blockAlign = le16(b + 12);
    fmt.bitsPerSample = le16(b + 14);
    return fmt;
}

// Byte rate and block size are recomputed from the format, so a piece is consistent even
// when the input's own fields were not.
std::array<unsigned char, kWavHeaderSize> wavHeaderEncode(const WavInfo& info) {
    const std::uint32_t frame = frameBytes(info);
    std::array<unsigned char, kWavHeaderSize> h{};
    unsigned char* b = h.data();
    putFourCc(b + 0, "RIFF");
    // A piece of nearly 4 GiB has no exact RIFF size; the largest one beats a wrapped one.
    const std::uint32_t riffSize =
        info.dataLength > UINT32_MAX - 36u ? UINT32_MAX : info.dataLength + 36u;
    putLe32(b + 4, riffSize);
    putFourCc(b + 8, "WAVE");
    putFourCc(b + 12, "fmt ");
    putLe32(b + 16, 16u);
    putLe16(b + 20, 1u);
    putLe16(b + 22, info.channels);
    putLe32(b + 24, info.sampleRate);
    putLe32(b + 28, frame * info.sampleRate);
    putLe16(b + 32, static_cast<std::uint16_t>(frame));
    putLe16(b + 34, info.bitsPerSample);
    putFourCc(b + 36, "data");
    putLe32(b + 40, info.dataLength);
    return h;
}
