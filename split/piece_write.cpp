#include "platform/file.h"
#include "platform/messages.h"
#include "split/splitter.h"

int wavPieceWrite(const char* inputPath, const char* pieceName, const WavInfo& info) {
    // A piece name that leads to the input itself (a link) must not truncate it.
    const File out = fileOpenWriteSparing(pieceName, inputPath);
    if (!out) {
        msgCannotOpen(pieceName);
        return -1;
    }
    if (wavHeaderWrite(out.get(), info) != static_cast<std::int64_t>(kWavHeaderSize)) {
        msgHeaderWriteFailed(pieceName);
        return -1;
    }
    // The header goes out before the input is opened: a piece whose copy fails stays on
    // disk with its full header and whatever data reached it.
    const File in = fileOpenRead(inputPath);
    if (!in) {
        msgCannotOpen(inputPath);
        return -1;
    }
    if (wavDataWrite(in.get(), out.get(), info) != 0) {
        msgDataWriteFailed();
        return -1;
    }
    return 0;
}

int wavDataWrite(std::FILE* in, std::FILE* out, const WavInfo& info) {
    if (seek64(in, info.dataOffset) != 0) {
        return -1;
    }
    return wavFrameCopy(in, out, info);
}
