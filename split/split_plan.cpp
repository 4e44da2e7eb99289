#include <cstdio>

#include "platform/messages.h"
#include "platform/path.h"
#include "split/splitter.h"

std::string wavPieceName(const std::string& baseName, std::int32_t index) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d", index);
    return baseName + number + ".wav";
}

int wavSplit(const char* inputPath, WavInfo& info, std::int32_t pieceSeconds) {
    if (pieceSeconds < 1) {
        msgPieceLengthRefused();
        return -1;
    }
    const std::string baseName = pathBaseName(inputPath);

    // The reader accepts only a non-zero byte rate, so these divisions are safe.
    const std::uint32_t totalSeconds = info.dataLength / info.bytesPerSecond;
    const auto fullPieces =
        static_cast<std::int32_t>(totalSeconds / static_cast<std::uint32_t>(pieceSeconds));
    // A full piece lies within the data, so its byte length fits the 32-bit field.
    const std::uint64_t pieceBytes = static_cast<std::uint64_t>(pieceSeconds) * info.bytesPerSecond;

    info.startSecond = 0;
    info.endSecond = 0;
    for (std::int32_t i = 0; i < fullPieces; ++i) {
        info.dataLength = static_cast<std::uint32_t>(pieceBytes);
        // For a full piece the end second is the last second inside it.
        info.endSecond = info.startSecond + pieceSeconds - 1;
        const std::string name = wavPieceName(baseName, i);
        if (wavPieceWrite(inputPath, name.c_str(), info) != 0) {
            return -1;
        }
        msgPieceDone(inputPath, name.c_str(), info.startSecond, info.endSecond,
                     info.endSecond - info.startSecond + 1);
        info.dataOffset += static_cast<std::int64_t>(pieceBytes);
        info.startSecond += pieceSeconds;
    }

    // startSecond now counts the seconds already written; whatever whole seconds remain,
    // even a single one, make the final piece.
    if (static_cast<std::int64_t>(totalSeconds) <= info.startSecond) {
        return 0;
    }
    const std::string name = wavPieceName(baseName, fullPieces);
    // For the final piece the end second is the end of the data itself.
    info.endSecond = static_cast<std::int32_t>(totalSeconds);
    info.dataLength =
        static_cast<std::uint32_t>(info.endSecond - info.startSecond) * info.bytesPerSecond;
    if (wavPieceWrite(inputPath, name.c_str(), info) != 0) {
        return -1;
    }
    msgPieceDone(inputPath, name.c_str(), info.startSecond, info.endSecond,
                 info.endSecond - info.startSecond);
    return 0;
}
