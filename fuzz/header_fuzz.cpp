// Fuzz target: arbitrary bytes through the whole header read, over an in-memory stream.
// Run it with -close_fd_mask=3 (scripts/fuzz.sh does) so the tool's report goes nowhere.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cut_check.h"
#include "platform/file.h"
#include "wav/wav_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // fmemopen wants a writable buffer, even for reading.
    std::vector<char> bytes(data, data + size);
    const File in(fmemopen(bytes.data(), size, "rb"));
    if (!in) {
        return 0;
    }
    WavInfo info;
    if (wavHeaderReadStream(in.get(), "fuzz.wav", info) == 0) {
        const std::string failure =
            acceptedHeaderCheck(std::string(bytes.begin(), bytes.end()), info);
        if (!failure.empty()) {
            std::fprintf(stderr, "%s\n", failure.c_str());
            std::abort();
        }
    }
    return 0;
}
