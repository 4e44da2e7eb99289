// Cutting the input's sample data into numbered WAV pieces of whole seconds.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "wav/wav_header.h"

// Cuts the data that wavHeaderRead found into pieces of `pieceSeconds` plus one shorter
// final piece for the whole seconds left over, named <base>000.wav, <base>001.wav, ... in
// the current directory, announcing each. A trailing fraction of a second is dropped.
// Rewrites the piece fields of `info`. Returns 0, or -1 after the first failure's message.
[[nodiscard]] int wavSplit(const char* inputPath, WavInfo& info, std::int32_t pieceSeconds);

// The output name of piece `index`: `baseName`, the index zero-padded to three digits (more
// when it needs them) and ".wav".
std::string wavPieceName(const std::string& baseName, std::int32_t index);

// Creates `pieceName`, writes its header and copies the piece's frames from `inputPath`.
// Returns 0, or -1 after its one message; a piece that fails stays on disk as far as it got.
// A piece name that leads to the input's own file fails as one that cannot be opened, and
// the input keeps every byte.
[[nodiscard]] int wavPieceWrite(const char* inputPath, const char* pieceName, const WavInfo& info);

// Positions `in` at the piece's first byte and copies the piece. Returns 0 or -1; prints
// nothing.
[[nodiscard]] int wavDataWrite(std::FILE* in, std::FILE* out, const WavInfo& info);

// Copies the piece's whole frames from `in` to `out` and flushes `out`. On a short read the
// whole frames that were there reach `out`, then it fails. Returns 0 or -1; prints nothing.
[[nodiscard]] int wavFrameCopy(std::FILE* in, std::FILE* out, const WavInfo& info);
