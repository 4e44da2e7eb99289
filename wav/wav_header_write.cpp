#include "platform/file.h"
#include "wav/wav_header.h"

std::int64_t wavHeaderWrite(std::FILE* out, const WavInfo& info) {
    const auto header = wavHeaderEncode(info);
    // Flushed here, so that a header the file cannot take fails as a header, not later in
    // the copy; the kernel copy needs it in the file anyway.
    if (std::fwrite(header.data(), header.size(), 1, out) != 1 || std::fflush(out) != 0) {
        return -1;
    }
    return tell64(out);
}
