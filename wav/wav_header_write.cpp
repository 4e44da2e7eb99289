#include "platform/file.h"
#include "wav/wav_header.h"

std::int64_t wavHeaderWrite(std::FILE* out, const WavInfo& info) {
    const auto header = wavHeaderEncode(info);
    if (std::fwrite(header.data(), header.size(), 1, out) != 1) {
        return -1;
    }
    return tell64(out);
}
