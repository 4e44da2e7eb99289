// Test support: RIFF byte fixtures, scratch directories, file helpers and the console's
// character set.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file.h"
#include "wav/wav_layout.h"

using Bytes = std::string;

// --- Byte fixtures -----------------------------------------------------------------------
Bytes le16s(std::uint16_t v);
Bytes le32s(std::uint32_t v);
// A chunk header declaring `size`, whatever follows it.
Bytes chunkHeader(const Bytes& id, std::uint32_t size);
// A chunk: header with the payload's true size, then the payload, no pad byte.
Bytes chunk(const Bytes& id, const Bytes& payload);
// The 12-byte RIFF header (size field = 4 + body size) followed by the body.
Bytes riff(const Bytes& body, const Bytes& riffId = "RIFF", const Bytes& waveId = "WAVE");

using Fmt = WavFmt;
// 8 Hz, 16-bit stereo: 32 bytes a second keeps fixtures tiny.
constexpr Fmt kStereo16{1, 2, 8, 32, 4, 16};
constexpr Fmt kStereo8{1, 2, 8, 16, 2, 8};
// The 16-byte "fmt " payload.
Bytes fmtPayload(const Fmt& f);
// `n` bytes of sample data that never repeat with a short period, so a piece taken from
// the wrong offset cannot match by chance.
Bytes samples(std::size_t n, std::uint32_t seed = 1);
// A file holding "fmt " (16 bytes), "LIST" (26 bytes) and "data" with `data`.
Bytes simpleWav(const Fmt& f, const Bytes& data);
// The 44-byte header of a piece holding `dataLength` bytes, spelled out independently of
// the tool's writer.
Bytes pieceHeader(const Fmt& f, std::uint32_t dataLength);

// --- Files ---------------------------------------------------------------------------------
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void writeFile(const std::string& path, const Bytes& bytes);
// An anonymous temporary file holding `bytes`, read from its start; null when none can be made.
File tempFileWith(const Bytes& bytes);
// What `f` holds, read from its start.
Bytes readStream(std::FILE* f);
Bytes readFile(const std::string& path);
// Names in a directory, sorted, without "." and "..".
std::vector<std::string> listDir(const std::string& dir);

std::string currentDirectory();
void changeDirectory(const std::string& dir);

// Runs `f` with the working directory set to `dir`, then restores it.
template <typename F>
void inDirectory(const std::string& dir, F f) {
    const std::string previous = currentDirectory();
    changeDirectory(dir);
    f();
    changeDirectory(previous);
}

// --- Texts -----------------------------------------------------------------------------------
// The console bytes of a UTF-8 text in this build's character set (Shift-JIS in the CP932
// build). Converted at run time with iconv, independently of the compiler's conversion.
Bytes T(const std::string& utf8);
