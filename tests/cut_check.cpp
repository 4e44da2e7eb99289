#include "cut_check.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "split/splitter.h"
#include "support.h"
#include "wav/le_bytes.h"
#include "wav/wav_header.h"

namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kMaxPieces = 64;

std::uint32_t get32(const std::string& b, std::size_t at) {
    return le32(reinterpret_cast<const unsigned char*>(b.data() + at));
}

// The 44 bytes a piece of `length` data bytes must start with.
Bytes expectedHeader(const WavInfo& h, std::uint32_t length) {
    const auto frame = static_cast<std::uint16_t>(frameBytes(h));
    return pieceHeader({1, h.channels, h.sampleRate, h.bytesPerSecond, frame, h.bitsPerSample},
                       length);
}

std::string pieceName(std::int64_t i) {
    char name[32];
    std::snprintf(name, sizeof name, "in%03lld.wav", static_cast<long long>(i));
    return name;
}

// Every file in the directory but the input, and removes them all.
std::size_t clearDirectory() {
    std::size_t others = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(".", ec)) {
        if (entry.path().filename() != "in.wav") {
            ++others;
        }
        fs::remove_all(entry.path(), ec);
    }
    return others;
}

struct Plan {
    std::int64_t fullPieces;
    std::int64_t count;        // with the final piece
    std::uint64_t pieceBytes;  // of a full piece
    std::uint64_t finalBytes;
};

Plan plan(const WavInfo& h, std::int32_t seconds) {
    const std::uint64_t total = h.dataLength / h.bytesPerSecond;
    Plan p{};
    p.fullPieces = static_cast<std::int64_t>(total / static_cast<std::uint64_t>(seconds));
    p.pieceBytes = static_cast<std::uint64_t>(seconds) * h.bytesPerSecond;
    const std::uint64_t rest =
        total - static_cast<std::uint64_t>(p.fullPieces) * static_cast<std::uint64_t>(seconds);
    p.finalBytes = rest * h.bytesPerSecond;
    p.count = p.fullPieces + (rest > 0 ? 1 : 0);
    return p;
}

// Also counts in `present` the pieces that must be on disk.
std::string checkPieces(const std::string& input, const WavInfo& h, std::int32_t seconds,
                        int status, std::size_t& present) {
    present = 0;
    if (seconds < 1) {
        return status == -1 ? "" : "a piece length below 1 was accepted";
    }
    const Plan p = plan(h, seconds);
    const std::uint32_t frame = frameBytes(h);
    for (std::int64_t i = 0; i < p.count; ++i) {
        const std::string name = pieceName(i);
        const auto length =
            static_cast<std::uint32_t>(i < p.fullPieces ? p.pieceBytes : p.finalBytes);
        const std::uint64_t offset =
            static_cast<std::uint64_t>(h.dataOffset) + static_cast<std::uint64_t>(i) * p.pieceBytes;
        const std::uint64_t there = offset < input.size() ? input.size() - offset : 0;
        const bool complete = there >= length;
        if (!fs::exists(name)) {
            return name + " is missing";
        }
        ++present;
        const std::string got = readFile(name);
        const std::uint64_t keep = complete ? length : there / frame * frame;
        const std::string want =
            expectedHeader(h, length) + (keep > 0 ? input.substr(static_cast<std::size_t>(offset),
                                                                 static_cast<std::size_t>(keep))
                                                  : std::string());
        if (got != want) {
            return name + " holds " + std::to_string(got.size()) + " bytes, not the " +
                   std::to_string(want.size()) + " expected";
        }
        if (!complete) {
            if (status != -1) {
                return name + " is short but the run succeeded";
            }
            return fs::exists(pieceName(i + 1)) ? pieceName(i + 1) + " follows a failed piece" : "";
        }
    }
    if (fs::exists(pieceName(p.count))) {
        return pieceName(p.count) + " is one piece too many";
    }
    return status == 0 ? "" : "the run failed with every piece whole";
}

}  // namespace

std::string acceptedHeaderCheck(const std::string& input, const WavInfo& info) {
    if (info.channels != 2 || (info.bitsPerSample != 8 && info.bitsPerSample != 16)) {
        return "accepted a format other than 8/16-bit stereo";
    }
    if (info.bytesPerSecond == 0 || info.bytesPerSecond % frameBytes(info) != 0) {
        return "accepted a byte rate that is not whole frames";
    }
    const std::int64_t at = info.dataOffset;
    if (at < 20 || at > static_cast<std::int64_t>(input.size())) {
        return "data position " + std::to_string(at) + " outside the input";
    }
    const auto header = static_cast<std::size_t>(at - 8);
    if (input.compare(header, 4, "data") != 0 || get32(input, header + 4) != info.dataLength) {
        return "data position " + std::to_string(at) + " not after its chunk header";
    }
    return "";
}

std::string cutAndCheck(const std::string& input) {
    {
        std::ofstream f("in.wav", std::ios::binary | std::ios::trunc);
        f.write(input.data(), static_cast<std::streamsize>(input.size()));
        if (!f) {
            clearDirectory();
            return "cannot write in.wav";
        }
    }
    WavInfo info;
    std::string failure;
    std::size_t present = 0;
    if (wavHeaderRead("in.wav", info) == 0) {
        failure = acceptedHeaderCheck(input, info);
        if (failure.empty()) {
            const std::uint32_t riffSize = input.size() >= 8 ? get32(input, 4) : 0;
            auto seconds = static_cast<std::int32_t>(static_cast<std::int64_t>(riffSize) % 19) - 2;
            const std::int64_t total = info.dataLength / info.bytesPerSecond;
            if (seconds >= 1 && total / seconds > kMaxPieces) {
                seconds = static_cast<std::int32_t>(total / kMaxPieces + 1);
            }
            const WavInfo header = info;
            const int status = wavSplit("in.wav", info, seconds);
            failure = checkPieces(input, header, seconds, status, present);
        }
    }
    const std::size_t made = clearDirectory();
    if (failure.empty() && made != present) {
        failure = std::to_string(made) + " files made, " + std::to_string(present) + " pieces due";
    }
    return failure;
}
