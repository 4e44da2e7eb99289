#include <algorithm>
#include <memory>

#include "platform/file.h"
#include "split/splitter.h"

namespace {

// Large enough that the copy runs at file-system speed, small enough to stay constant.
constexpr std::uint32_t kCopyBlockBytes = 1u << 20;

// The copy through this process, one block at a time.
int blockCopy(std::FILE* in, std::FILE* out, std::uint32_t frame, std::uint32_t remaining) {
    const std::uint32_t block = std::max(frame, kCopyBlockBytes / frame * frame);
    const std::unique_ptr<unsigned char[]> buffer(
        new unsigned char[std::min(block, remaining) + 1]);

    while (remaining > 0) {
        const std::size_t want = std::min(block, remaining);
        const std::size_t got = std::fread(buffer.get(), 1, want, in);
        // Only whole frames reach the piece, as a frame-by-frame copy would leave it.
        const std::size_t whole = got - got % frame;
        if (whole > 0 && std::fwrite(buffer.get(), 1, whole, out) != whole) {
            return -1;
        }
        if (got != want) {
            return -1;
        }
        remaining -= static_cast<std::uint32_t>(want);
    }
    // A write error that the stream still holds must fail the piece, not its close.
    return std::fflush(out) == 0 ? 0 : -1;
}

}  // namespace

int wavFrameCopy(std::FILE* in, std::FILE* out, const WavInfo& info) {
    const std::uint32_t frame = frameBytes(info);
    if (frame == 0) {
        return -1;
    }
    const std::uint32_t remaining = info.dataLength / frame * frame;

    // Where it can, the kernel moves the bytes itself, at the speed of a plain file copy.
    // The header must reach the file first.
    if (std::fflush(out) != 0) {
        return -1;
    }
    const std::int64_t start = tell64(out);
    std::uint64_t copied = 0;
    switch (fileKernelCopy(in, out, remaining, &copied)) {
        case KernelCopy::Unsupported:
            return blockCopy(in, out, frame, remaining);
        case KernelCopy::Failed:
            return -1;
        case KernelCopy::Copied:
            break;
    }
    if (copied == remaining) {
        return 0;
    }
    // The input ended inside the piece: keep only the whole frames that were there.
    if (copied % frame != 0 &&
        fileTruncate(out, start + static_cast<std::int64_t>(copied - copied % frame)) != 0) {
        return -1;
    }
    return -1;
}
