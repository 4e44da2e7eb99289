// Reading, reporting and judging the input's header, and writing a piece's header.
#pragma once

#include <cstdint>
#include <cstdio>

#include "wav/wav_info.h"
#include "wav/wav_layout.h"

// Opens `path`, checks the RIFF "WAVE" header, walks every chunk in file order printing
// what it finds, and fills the format and data fields of `info`. Returns 0 once the walk
// has ended having met an accepted "fmt " and a "data" chunk, -1 after the message of
// whatever failed (an unreadable "fmt " payload fails silently).
[[nodiscard]] int wavHeaderRead(const char* path, WavInfo& info);

// The same walk over `in`, already open at its first byte; `path` is only printed. The
// caller keeps and closes the stream.
[[nodiscard]] int wavHeaderReadStream(std::FILE* in, const char* path, WavInfo& info);

// Reads the first 16 bytes of a "fmt " payload from `in` into `fmt`, prints the six report
// lines, and accepts only uncompressed 8- or 16-bit stereo PCM whose byte rate is a
// non-zero whole number of frames. Returns 0 or -1 (after a refusal's two messages, or
// silently when the 16 bytes are not there).
[[nodiscard]] int wavFmtRead(std::FILE* in, WavFmt& fmt);

// Writes the 44-byte piece header for `info` at the stream's position, flushes it to the file
// and returns the position reached: 44 on a freshly created stream when all went out, -1
// when the write or the flush failed. Prints nothing.
[[nodiscard]] std::int64_t wavHeaderWrite(std::FILE* out, const WavInfo& info);
