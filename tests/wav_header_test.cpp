#include "wav/wav_header.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>

#include "capture.h"
#include "support.h"
#include "texts.h"
#include "wav/le_bytes.h"

namespace {

Fmt with(Fmt f, void (*change)(Fmt&)) {
    change(f);
    return f;
}

Bytes fmtChunk(const Fmt& f = kStereo16) {
    return chunk("fmt ", fmtPayload(f));
}

struct ReadCase {
    const char* name;
    Bytes file;
    int result;
    Bytes out;  // after the path line
    Bytes err;
    // Checked when the read succeeds.
    std::uint32_t dataLength = 0;
    std::int64_t dataOffset = 0;
    Fmt fmt = kStereo16;
};

// Test names say enough; keep gtest from dumping the bytes.
void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<ReadCase> readCases() {
    const Bytes data = samples(40);
    const Bytes list26 = samples(26, 7);
    const Fmt mono = with(kStereo16, [](Fmt& f) { f.channels = 1; });
    const Fmt float32 = with(kStereo16, [](Fmt& f) {
        f.formatTag = 3;
        f.bitsPerSample = 32;
    });
    const Fmt monoFloat = with(float32, [](Fmt& f) { f.channels = 1; });
    const Fmt extensible = with(kStereo16, [](Fmt& f) { f.formatTag = 0xFFFE; });
    const Fmt pcm24 = with(kStereo16, [](Fmt& f) { f.bitsPerSample = 24; });
    const Fmt zeroRate = with(kStereo16, [](Fmt& f) { f.bytesPerSecond = 0; });
    const Fmt halfFrameRate = with(kStereo16, [](Fmt& f) { f.bytesPerSecond = 34; });
    const Fmt stereo8 = with(kStereo16, [](Fmt& f) {
        f.bitsPerSample = 8;
        f.bytesPerSecond = 16;
        f.blockAlign = 2;
    });
    const Bytes report = fmtReport(kStereo16);
    const Bytes ok = fmtChunk() + chunk("data", data);

    // Header "\x10\x00ab": its first two bytes complete a 14-byte "fmt " as 16 bits.
    const Bytes fmt14 = chunkHeader("fmt ", 14) + fmtPayload(kStereo16).substr(0, 14);
    const Bytes odd = Bytes("\x10\x00", 2) + "ab";

    return {
        {"EmptyFile", "", -1, "", readFailedText(0)},
        {"ShortRiffHeader", Bytes("RIFF\x04\0\0\0WAV", 11), -1, "", readFailedText(11)},
        {"NotWave", riff(ok, "RIFF", "AVI "), -1, "", noWaveText()},
        {"NotRiff", riff(ok, "RIFX", "WAVE"), -1, "", notRiffText()},
        {"NeitherOnlyWaveIsReported", riff(ok, "RIFX", "AVI "), -1, "", noWaveText()},
        {"IdsAreCaseSensitive", riff(ok, "riff", "WAVE"), -1, "", notRiffText()},
        {"Mono", riff(fmtChunk(mono) + chunk("data", data)), -1, fmtReport(mono),
         fmtLengthLine(16) + notStereoText(1)},
        {"Float", riff(fmtChunk(float32) + chunk("data", data)), -1, fmtReport(float32),
         fmtLengthLine(16) + notPcmText("0003")},
        // Channels are judged before the format: a mono float file hears about stereo.
        {"MonoFloat", riff(fmtChunk(monoFloat) + chunk("data", data)), -1, fmtReport(monoFloat),
         fmtLengthLine(16) + notStereoText(1)},
        {"Extensible",
         riff(chunk("fmt ", fmtPayload(extensible) + samples(24)) + chunk("data", data)), -1,
         fmtReport(extensible), fmtLengthLine(40) + notPcmText("FFFE")},
        {"Pcm24", riff(fmtChunk(pcm24) + chunk("data", data)), -1, fmtReport(pcm24),
         fmtLengthLine(16) + T("\nこのプログラムは8/16ビットサンプリングされたものを対象とします\n"
                               "このwavファイルの bits/secは 24 です．\n")},
        {"ZeroByteRate", riff(fmtChunk(zeroRate) + chunk("data", data)), -1, fmtReport(zeroRate),
         fmtLengthLine(16) +
             T("\nこのプログラムはバイト数 / 秒がフレームの整数倍のものを対象とします.\n"
               "このwavファイルのバイト数 / 秒は 0 です．\n")},
        {"ByteRateNotWholeFrames", riff(fmtChunk(halfFrameRate) + chunk("data", data)), -1,
         fmtReport(halfFrameRate),
         fmtLengthLine(16) +
             T("\nこのプログラムはバイト数 / 秒がフレームの整数倍のものを対象とします.\n"
               "このwavファイルのバイト数 / 秒は 34 です．\n")},
        // The refusal comes right after the chunk that caused it: the walk goes no further.
        {"RefusalStopsTheWalk", riff(chunk("LIST", list26) + fmtChunk(mono) + chunk("data", data)),
         -1, otherLengthLine("LIST", 26) + fmtReport(mono), fmtLengthLine(16) + notStereoText(1)},
        {"ListBeforeData", riff(fmtChunk() + chunk("LIST", list26) + chunk("data", data)), 0,
         report + otherLengthLine("LIST", 26), fmtLengthLine(16) + dataLengthLine(40), 40,
         12 + 24 + 34 + 8},
        {"Stereo8", riff(fmtChunk(stereo8) + chunk("data", data)), 0, fmtReport(stereo8),
         fmtLengthLine(16) + dataLengthLine(40), 40, 12 + 24 + 8, stereo8},
        {"DataBeforeFmt", riff(chunk("data", data) + fmtChunk()), 0, report,
         dataLengthLine(40) + fmtLengthLine(16), 40, 20},
        {"ChunksAfterDataAreListed",
         riff(fmtChunk() + chunk("data", data) + chunk("id3 ", "abcde") + chunk("junk", "")), 0,
         report + otherLengthLine("id3 ", 5) + otherLengthLine("junk", 0),
         fmtLengthLine(16) + dataLengthLine(40), 40, 12 + 24 + 8},
        // No pad byte is skipped: the next header follows an odd payload at once.
        {"OddChunkWithoutPad", riff(fmtChunk() + chunk("LIST", "abc") + chunk("data", data)), 0,
         report + otherLengthLine("LIST", 3), fmtLengthLine(16) + dataLengthLine(40), 40,
         12 + 24 + 11 + 8},
        {"Fmt18ResumesAfter18",
         riff(chunk("fmt ", fmtPayload(kStereo16) + Bytes(2, '\0')) + chunk("data", data)), 0,
         report, fmtLengthLine(18) + dataLengthLine(40), 40, 12 + 26 + 8},
        {"Fmt14IsReadAs16AndResumesAfter14", riff(fmt14 + chunk(odd, "") + chunk("data", data)), 0,
         report + otherLengthLine(odd, 0), fmtLengthLine(14) + dataLengthLine(40), 40,
         12 + 22 + 8 + 8},
        {"FmtPayloadTruncatedFailsSilently", riff(chunkHeader("fmt ", 16) + samples(10)), -1, "",
         fmtLengthLine(16)},
        {"NoChunks", riff(""), -1, "", noFmtChunkText()},
        {"NoFmt", riff(chunk("data", data)), -1, "", dataLengthLine(40) + noFmtChunkText()},
        {"NoData", riff(fmtChunk() + chunk("LIST", list26)), -1,
         report + otherLengthLine("LIST", 26), fmtLengthLine(16) + noDataChunkText()},
        // Sizes print unsigned; a size past the end ends the walk without wrapping back.
        {"HugeChunkEndsTheWalk",
         riff(fmtChunk() + chunkHeader("JUNK", 0xFFFFFFFFu) + chunk("data", data)), -1,
         report + otherLengthLine("JUNK", 4294967295u), fmtLengthLine(16) + noDataChunkText()},
        {"DataSizeBeyondTheFile", riff(fmtChunk() + chunkHeader("data", 0xFFFFFFFFu) + data), 0,
         report, fmtLengthLine(16) + dataLengthLine(4294967295u), 0xFFFFFFFFu, 12 + 24 + 8},
        {"LastDataDecides", riff(fmtChunk() + chunk("data", data) + chunk("data", samples(8))), 0,
         report, fmtLengthLine(16) + dataLengthLine(40) + dataLengthLine(8), 8, 12 + 24 + 48 + 8},
        {"TrailingPartialHeaderEndsTheWalk", riff(ok + "abcdefg"), 0, report,
         fmtLengthLine(16) + dataLengthLine(40), 40, 12 + 24 + 8},
    };
}

class HeaderRead : public testing::TestWithParam<ReadCase> {};

TEST_P(HeaderRead, ReportsJudgesAndFills) {
    const ReadCase& c = GetParam();
    TempDir dir;
    writeFile(dir / "in.wav", c.file);
    WavInfo info;
    Captured got{};
    inDirectory(dir.path(),
                [&] { got = captureOutput([&] { return wavHeaderRead("in.wav", info); }); });
    EXPECT_EQ(got.result, c.result);
    EXPECT_EQ(got.out, "\nin.wav :\n" + c.out);
    EXPECT_EQ(got.err, c.err);
    if (c.result == 0) {
        EXPECT_EQ(info.dataLength, c.dataLength);
        EXPECT_EQ(info.dataOffset, c.dataOffset);
        EXPECT_EQ(info.sampleRate, c.fmt.sampleRate);
        EXPECT_EQ(info.bitsPerSample, c.fmt.bitsPerSample);
        EXPECT_EQ(info.channels, c.fmt.channels);
        EXPECT_EQ(info.bytesPerSecond, c.fmt.bytesPerSecond);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, HeaderRead, testing::ValuesIn(readCases()),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(HeaderReadOpen, MissingFileIsReportedWithoutThePathLine) {
    TempDir dir;
    WavInfo info;
    const std::string path = dir / "missing.wav";
    const Captured got = captureOutput([&] { return wavHeaderRead(path.c_str(), info); });
    EXPECT_EQ(got.result, -1);
    EXPECT_EQ(got.out, "");
    EXPECT_EQ(got.err, inputOpenFailedText(path));
}

// A stream that cannot say where it is cannot be walked: the walk ends at the first chunk,
// before reporting it, rather than seek from a position it does not have.
TEST(HeaderReadStream, StopsWhereThePositionIsUnknown) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const Bytes file = riff(fmtChunk() + chunk("data", samples(40)));
    ASSERT_EQ(write(fds[1], file.data(), file.size()), static_cast<ssize_t>(file.size()));
    close(fds[1]);
    const File in(fdopen(fds[0], "rb"));
    ASSERT_NE(in, nullptr);
    WavInfo info;
    const Captured got = captureOutput([&] { return wavHeaderReadStream(in.get(), "pipe", info); });
    EXPECT_EQ(got.result, -1);
    EXPECT_EQ(got.out, "\npipe :\n");
    EXPECT_EQ(got.err, noFmtChunkText());
}

#ifdef WAVSLICE_CP932
// The labels are padded for Shift-JIS: every colon is the 24th byte of its line.
TEST(FmtReport, ColonsLineUpInShiftJis) {
    TempDir dir;
    writeFile(dir / "in.wav", riff(fmtChunk() + chunk("data", "")));
    const File f(std::fopen((dir / "in.wav").c_str(), "rb"));
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fseek(f.get(), 20, SEEK_SET), 0);
    WavFmt fmt{};
    const Captured got = captureOutput([&] { return wavFmtRead(f.get(), fmt); });
    ASSERT_EQ(got.result, 0);
    std::size_t start = 0;
    int lines = 0;
    for (std::size_t end; (end = got.out.find('\n', start)) != std::string::npos; start = end + 1) {
        EXPECT_EQ(got.out.find(':', start) - start, 23u) << got.out.substr(start, end - start);
        ++lines;
    }
    EXPECT_EQ(lines, 6);
}
#endif

// Every byte of a field goes where it belongs, also the high ones, which the fields of an
// accepted format seldom reach.
TEST(LittleEndian, FieldsRoundTripByteForByte) {
    const std::uint16_t shorts[] = {0x0000, 0x00FF, 0x0100, 0xBEEF, 0xFFFF};
    for (const std::uint16_t v : shorts) {
        unsigned char b[2];
        putLe16(b, v);
        EXPECT_EQ(Bytes(reinterpret_cast<const char*>(b), 2), le16s(v)) << v;
        EXPECT_EQ(le16(b), v);
    }
    const std::uint32_t longs[] = {0x00000000, 0x01020304, 0x80FF7F01, 0xFFFFFFFF};
    for (const std::uint32_t v : longs) {
        unsigned char b[4];
        putLe32(b, v);
        EXPECT_EQ(Bytes(reinterpret_cast<const char*>(b), 4), le32s(v)) << v;
        EXPECT_EQ(le32(b), v);
    }
}

// What the header writer reads of a stereo piece.
WavInfo stereoPiece(std::uint32_t sampleRate, std::uint16_t bitsPerSample,
                    std::uint32_t dataLength) {
    WavInfo info;
    info.sampleRate = sampleRate;
    info.bitsPerSample = bitsPerSample;
    info.channels = 2;
    info.dataLength = dataLength;
    return info;
}

Bytes writtenHeader(const WavInfo& info, long long& position) {
    const File f = tempFileWith("");
    if (!f) {
        ADD_FAILURE() << "no temporary file";
        return "";
    }
    position = wavHeaderWrite(f.get(), info);
    return readStream(f.get());
}

TEST(HeaderWrite, CanonicalHeaderWithRecomputedRates) {
    WavInfo info = stereoPiece(44100, 16, 1764000);
    info.bytesPerSecond = 12345;  // the input's declared rate is not carried over
    long long position = 0;
    const Bytes got = writtenHeader(info, position);
    const unsigned char expected[44] = {
        'R',  'I',  'F',  'F',  0xC4, 0xEA, 0x1A, 0x00, 'W',  'A',  'V',  'E',   //
        'f',  'm',  't',  ' ',  0x10, 0x00, 0x00, 0x00, 0x01, 0x00, 0x02, 0x00,  //
        0x44, 0xAC, 0x00, 0x00, 0x10, 0xB1, 0x02, 0x00, 0x04, 0x00, 0x10, 0x00,  //
        'd',  'a',  't',  'a',  0xA0, 0xEA, 0x1A, 0x00};
    EXPECT_EQ(position, 44);
    EXPECT_EQ(got, Bytes(reinterpret_cast<const char*>(expected), 44));
}

// The header is in the file when the position comes back, so a file that cannot take it
// fails here: a full device gives no position, and a plain file already holds the 44 bytes.
TEST(HeaderWrite, ReachesTheFileBeforeReturning) {
    const WavInfo info = stereoPiece(8, 16, 320);

    const File full(std::fopen("/dev/full", "wb"));
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(wavHeaderWrite(full.get(), info), -1);

    TempDir dir;
    const File f(std::fopen((dir / "piece.wav").c_str(), "wb"));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(wavHeaderWrite(f.get(), info), 44);
    EXPECT_EQ(readFile(dir / "piece.wav"), pieceHeader(kStereo16, 320));
}

TEST(HeaderWrite, FieldsFollowTheFormat) {
    struct Row {
        const char* name;
        std::uint16_t bits;
        std::uint32_t dataLength;
        std::uint32_t riffSize;
    };
    const Row rows[] = {
        {"empty 16-bit", 16, 0, 36},
        {"8-bit", 8, 1000, 1036},
        {"largest exact size", 16, 0xFFFFFFFFu - 36u, 0xFFFFFFFFu},
        {"nearly 4 GiB saturates", 16, 0xFFFFFFF0u, 0xFFFFFFFFu},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        long long position = 0;
        const Bytes got = writtenHeader(stereoPiece(48000, r.bits, r.dataLength), position);
        Fmt f = kStereo16;
        f.sampleRate = 48000;
        f.bitsPerSample = r.bits;
        Bytes expected = pieceHeader(f, r.dataLength);
        expected.replace(4, 4, le32s(r.riffSize));
        EXPECT_EQ(position, 44);
        EXPECT_EQ(got, expected);
    }
}

}  // namespace
