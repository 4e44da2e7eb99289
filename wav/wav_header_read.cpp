#include <array>

#include "platform/file.h"
#include "platform/messages.h"
#include "wav/wav_header.h"

int wavFmtRead(std::FILE* in, WavFmt& fmt) {
    std::array<unsigned char, kWavFmtSize> b{};
    if (std::fread(b.data(), b.size(), 1, in) != 1) {
        return -1;
    }
    fmt = wavFmtDecode(b.data());
    msgFmtReport(fmt.formatTag, fmt.channels, fmt.sampleRate, fmt.bytesPerSecond, fmt.blockAlign,
                 fmt.bitsPerSample);

    if (fmt.channels != 2) {
        msgNotStereo(fmt.channels);
        return -1;
    }
    if (fmt.formatTag != 1) {
        msgNotPcm(fmt.formatTag);
        return -1;
    }
    if (fmt.bitsPerSample != 8 && fmt.bitsPerSample != 16) {
        msgNotBits8or16(fmt.bitsPerSample);
        return -1;
    }
    // The splitter divides by the byte rate and starts every piece at a multiple of it, so
    // a zero rate, or one that is not whole frames, cannot be cut exactly.
    if (fmt.bytesPerSecond == 0 ||
        fmt.bytesPerSecond % frameBytes(fmt.bitsPerSample, fmt.channels) != 0) {
        msgByteRateNotWholeFrames(fmt.bytesPerSecond);
        return -1;
    }
    return 0;
}

int wavHeaderRead(const char* path, WavInfo& info) {
    const File file = fileOpenRead(path);
    if (!file) {
        msgInputOpenFailed(path);
        return -1;
    }
    return wavHeaderReadStream(file.get(), path, info);
}

int wavHeaderReadStream(std::FILE* in, const char* path, WavInfo& info) {
    msgPathLine(path);

    std::array<unsigned char, kRiffHeaderSize> rb{};
    if (std::fread(rb.data(), rb.size(), 1, in) != 1) {
        msgRiffReadFailed(tell64(in));
        return -1;
    }
    const RiffHeader riff = riffHeaderDecode(rb.data());
    // "WAVE" is judged before "RIFF": a file that fails both hears only about "WAVE".
    if (!fourCcIs(riff.waveId, "WAVE")) {
        msgNoWave();
        return -1;
    }
    if (!fourCcIs(riff.riffId, "RIFF")) {
        msgNotRiff();
        return -1;
    }

    // Every chunk is listed, also after "data"; the last "fmt " and "data" decide.
    bool metFmt = false;
    bool metData = false;
    std::array<unsigned char, kChunkHeaderSize> cb{};
    while (std::fread(cb.data(), cb.size(), 1, in) == 1) {
        const ChunkHeader chunk = chunkHeaderDecode(cb.data());
        const std::int64_t payload = tell64(in);
        if (payload < 0) {
            break;
        }
        switch (chunkKind(chunk.id)) {
            case ChunkKind::Fmt: {
                msgFmtLength(chunk.size);
                // A "fmt " declaring fewer than 16 bytes is still read as 16; the walk then
                // resumes where its declared size ends.
                WavFmt fmt{};
                if (wavFmtRead(in, fmt) != 0) {
                    return -1;
                }
                info.sampleRate = fmt.sampleRate;
                info.bitsPerSample = fmt.bitsPerSample;
                info.channels = fmt.channels;
                info.bytesPerSecond = fmt.bytesPerSecond;
                metFmt = true;
                break;
            }
            case ChunkKind::Data:
                info.dataLength = chunk.size;
                msgDataLength(chunk.size);
                info.dataOffset = payload;
                metData = true;
                break;
            case ChunkKind::Other:
                msgOtherChunkLength(chunk.id.data(), chunk.size);
                break;
        }
        // No pad byte is skipped after an odd size: the next header is expected right
        // after the payload. A seek past the end makes the next header read come up short.
        if (seek64(in, payload + static_cast<std::int64_t>(chunk.size)) != 0) {
            break;
        }
    }

    if (!metFmt) {
        msgNoFmtChunk();
        return -1;
    }
    if (!metData) {
        msgNoDataChunk();
        return -1;
    }
    return 0;
}
