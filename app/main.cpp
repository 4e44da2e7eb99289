// wavslice: cuts a stereo 8/16-bit PCM WAV file into numbered pieces of whole seconds.
#include <string>
#include <vector>

#include "app/args.h"
#include "app/usage.h"
#include "platform/file.h"
#include "platform/messages.h"
#include "split/splitter.h"
#include "wav/wav_header.h"

#ifdef _WIN32
#include <cwchar>

#include "platform/utf16.h"
#endif

namespace {

int run(int argc, char** argv) {
    // Started with a closed standard stream, a piece would take its descriptor and receive
    // the messages meant for it.
    if (fileKeepStandardStreams() != 0) {
        msgCannotOpen(kNullDevice);
        return -1;
    }
    if (argc != 3) {
        printUsage();
        return -1;
    }
    // Parsed now but judged by the split plan, so a refused length follows the full report.
    const std::int32_t pieceSeconds = parsePieceSeconds(argv[2]);

    WavInfo info;
    if (wavHeaderRead(argv[1], info) != 0) {
        return -1;
    }
    if (wavSplit(argv[1], info, pieceSeconds) != 0) {
        return -1;
    }
    return 0;
}

}  // namespace

#ifdef _WIN32
// Windows hands over the command line in UTF-16, where every file name is whole; the narrow
// one would have replaced what the code page lacks by look-alikes. Inside the program every
// path is UTF-8, turned back into UTF-16 only where a file is opened.
int wmain(int argc, wchar_t** wideArgv) {
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) {
        const wchar_t* arg = wideArgv[i];
        args.push_back(utf8FromUtf16(std::u16string(arg, arg + std::wcslen(arg))));
    }
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    return run(argc, argv.data());
}
#else
int main(int argc, char** argv) {
    return run(argc, argv);
}
#endif
