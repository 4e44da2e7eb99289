// wavslice: cuts a stereo 8/16-bit PCM WAV file into numbered pieces of whole seconds.
#include "app/args.h"
#include "app/usage.h"
#include "platform/file.h"
#include "platform/messages.h"
#include "split/splitter.h"
#include "wav/wav_header.h"

int main(int argc, char** argv) {
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
