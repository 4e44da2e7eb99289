#include "support.h"

#include <iconv.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

Bytes le16s(std::uint16_t v) {
    return Bytes{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

Bytes le32s(std::uint32_t v) {
    return Bytes{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                 static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
}

Bytes chunkHeader(const Bytes& id, std::uint32_t size) {
    return id + le32s(size);
}

Bytes chunk(const Bytes& id, const Bytes& payload) {
    return chunkHeader(id, static_cast<std::uint32_t>(payload.size())) + payload;
}

Bytes riff(const Bytes& body, const Bytes& riffId, const Bytes& waveId) {
    return riffId + le32s(static_cast<std::uint32_t>(4 + body.size())) + waveId + body;
}

Bytes fmtPayload(const Fmt& f) {
    return le16s(f.formatTag) + le16s(f.channels) + le32s(f.sampleRate) + le32s(f.bytesPerSecond) +
           le16s(f.blockAlign) + le16s(f.bitsPerSample);
}

Bytes samples(std::size_t n, std::uint32_t seed) {
    Bytes b(n, '\0');
    std::uint32_t x = seed * 2654435761u + 12345u;
    for (auto& c : b) {
        x = x * 1664525u + 1013904223u;
        c = static_cast<char>(x >> 24);
    }
    return b;
}

Bytes simpleWav(const Fmt& f, const Bytes& data) {
    const Bytes list = "INFOISFT" + le32s(14) + "wavslice test" + Bytes(1, '\0');
    return riff(chunk("fmt ", fmtPayload(f)) + chunk("LIST", list) + chunk("data", data));
}

Bytes pieceHeader(const Fmt& f, std::uint32_t dataLength) {
    const auto frame = static_cast<std::uint16_t>(f.bitsPerSample / 8 * f.channels);
    // Within 36 bytes of 4 GiB no RIFF size is exact; the largest stands in.
    const std::uint32_t riffSize = dataLength > 0xFFFFFFFFu - 36u ? 0xFFFFFFFFu : dataLength + 36;
    return "RIFF" + le32s(riffSize) + "WAVE" + "fmt " + le32s(16) + le16s(1) + le16s(f.channels) +
           le32s(f.sampleRate) + le32s(frame * f.sampleRate) + le16s(frame) +
           le16s(f.bitsPerSample) + "data" + le32s(dataLength);
}

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "wavslice-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!f) {
        throw std::runtime_error("cannot write " + path);
    }
}

File tempFileWith(const Bytes& bytes) {
    File f(std::tmpfile());
    if (f && (std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size() ||
              std::fflush(f.get()) != 0 || std::fseek(f.get(), 0, SEEK_SET) != 0)) {
        f.reset();
    }
    return f;
}

Bytes readStream(std::FILE* f) {
    Bytes b;
    char block[4096];
    std::fflush(f);
    std::rewind(f);
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, f)) > 0;) {
        b.append(block, n);
    }
    return b;
}

Bytes readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::vector<std::string> listDir(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string currentDirectory() {
    return fs::current_path().string();
}

void changeDirectory(const std::string& dir) {
    fs::current_path(dir);
}

Bytes T(const std::string& utf8) {
#ifdef WAVSLICE_CP932
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("iconv has no CP932");
    }
    std::string in = utf8;
    std::string out(in.size() * 2 + 4, '\0');
    char* inp = in.data();
    char* outp = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("cannot convert to CP932: " + utf8);
    }
    out.resize(out.size() - outLeft);
    return out;
#else
    return utf8;
#endif
}
