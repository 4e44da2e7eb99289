// Fuzz target: arbitrary bytes as an input file, read and cut as the tool does, every piece
// checked against the input. Works in a scratch directory of its own, so nothing lands in
// the working directory; a lying data size cannot fill the disk, as the copy stops at the
// input's end and at most 64 pieces are due. Run it with -close_fd_mask=3 (scripts/fuzz.sh
// does) so the tool's messages go nowhere.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "cut_check.h"

namespace {

struct ScratchDir {
    std::string path;
    ScratchDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "wavslice-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        path = pattern;
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchDir scratch;
    // The corpus and artifact paths libFuzzer holds may be relative: come back after each run.
    const int back = open(".", O_RDONLY | O_DIRECTORY);
    if (back < 0 || chdir(scratch.path.c_str()) != 0) {
        std::perror("scratch directory");
        std::abort();
    }
    const std::string failure = cutAndCheck(std::string(data, data + size));
    if (fchdir(back) != 0) {
        std::abort();
    }
    close(back);
    if (!failure.empty()) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
