#include "split/splitter.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

#include "app/args.h"
#include "capture.h"
#include "platform/path.h"
#include "support.h"
#include "texts.h"

namespace {

constexpr std::int64_t kDataOffset = 78;  // where simpleWav puts the samples

struct Piece {
    const char* name;
    std::uint32_t start;  // byte offset in the sample data
    std::uint32_t length;
    int firstSecond, endSecond, seconds;  // as the progress line shows them
};

struct PlanCase {
    const char* name;
    std::size_t dataBytes;
    std::int32_t pieceSeconds;
    std::vector<Piece> pieces;
};

// Test names say enough; keep gtest from dumping the bytes.
void PrintTo(const PlanCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<PlanCase> planCases() {
    return {
        // 25.375 s: the trailing fraction is dropped; the final piece reports 20 - 25.
        {"TwentyFiveAtTen",
         812,
         10,
         {{"take000.wav", 0, 320, 0, 9, 10},
          {"take001.wav", 320, 320, 10, 19, 10},
          {"take002.wav", 640, 160, 20, 25, 5}}},
        {"ThirtyAtTenHasNoFinalPiece",
         960,
         10,
         {{"take000.wav", 0, 320, 0, 9, 10},
          {"take001.wav", 320, 320, 10, 19, 10},
          {"take002.wav", 640, 320, 20, 29, 10}}},
        {"FiveAtTen", 160, 10, {{"take000.wav", 0, 160, 0, 5, 5}}},
        {"OneAtTenStillGivesAPiece", 32, 10, {{"take000.wav", 0, 32, 0, 1, 1}}},
        {"OneAtOne", 32, 1, {{"take000.wav", 0, 32, 0, 0, 1}}},
        {"SevenAtThree",
         7 * 32 + 4,
         3,
         {{"take000.wav", 0, 96, 0, 2, 3},
          {"take001.wav", 96, 96, 3, 5, 3},
          {"take002.wav", 192, 32, 6, 7, 1}}},
        {"UnderASecondGivesNothing", 31, 10, {}},
        {"NoDataGivesNothing", 0, 10, {}},
        // A piece length far beyond the data must not overflow seconds x bytes.
        {"LargestPieceLength", 812, INT32_MAX, {{"take000.wav", 0, 800, 0, 25, 25}}},
    };
}

class SplitPlan : public testing::TestWithParam<PlanCase> {};

TEST_P(SplitPlan, WritesExactPiecesAndAnnouncesThem) {
    const PlanCase& c = GetParam();
    TempDir dir;
    const Bytes data = samples(c.dataBytes);
    writeFile(dir / "take.wav", simpleWav(kStereo16, data));

    WavInfo info;
    info.sampleRate = kStereo16.sampleRate;
    info.bitsPerSample = kStereo16.bitsPerSample;
    info.channels = kStereo16.channels;
    info.bytesPerSecond = kStereo16.bytesPerSecond;
    info.dataLength = static_cast<std::uint32_t>(c.dataBytes);
    info.dataOffset = kDataOffset;
    Captured got{};
    inDirectory(dir.path(), [&] {
        got = captureOutput([&] { return wavSplit("take.wav", info, c.pieceSeconds); });
    });

    EXPECT_EQ(got.result, 0);
    EXPECT_EQ(got.err, "");
    Bytes lines;
    std::vector<std::string> names{"take.wav"};
    for (const Piece& p : c.pieces) {
        lines += progress("take.wav", p.name, p.firstSecond, p.endSecond, p.seconds);
        names.push_back(p.name);
        EXPECT_EQ(readFile(dir / p.name),
                  pieceHeader(kStereo16, p.length) + data.substr(p.start, p.length))
            << p.name;
    }
    EXPECT_EQ(got.out, lines);
    EXPECT_EQ(listDir(dir.path()), names);
}

INSTANTIATE_TEST_SUITE_P(Plans, SplitPlan, testing::ValuesIn(planCases()),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(SplitPlanRefusal, PieceLengthBelowOneWritesNothing) {
    for (const std::int32_t seconds : {0, -1, INT32_MIN}) {
        SCOPED_TRACE(seconds);
        TempDir dir;
        writeFile(dir / "take.wav", simpleWav(kStereo16, samples(320)));
        WavInfo info;
        info.bytesPerSecond = 0;  // refused before any arithmetic
        Captured got{};
        inDirectory(dir.path(), [&] {
            got = captureOutput([&] { return wavSplit("take.wav", info, seconds); });
        });
        EXPECT_EQ(got.result, -1);
        EXPECT_EQ(got.out, "");
        EXPECT_EQ(got.err, refusedLengthText());
        EXPECT_EQ(listDir(dir.path()), std::vector<std::string>{"take.wav"});
    }
}

TEST(PieceName, ThreeDigitsThenAsManyAsNeeded) {
    EXPECT_EQ(wavPieceName("take", 0), "take000.wav");
    EXPECT_EQ(wavPieceName("take", 42), "take042.wav");
    EXPECT_EQ(wavPieceName("take.01", 999), "take.01999.wav");
    EXPECT_EQ(wavPieceName("", 1000), "1000.wav");
    // No fixed-size buffer: a long base name is kept whole.
    const std::string longName(300, 'a');
    EXPECT_EQ(wavPieceName(longName, 7), longName + "007.wav");
}

// --- Frame copy -----------------------------------------------------------------------------

struct CopyCase {
    const char* name;
    std::size_t available;     // bytes in the input from the piece's first byte on
    std::uint32_t dataLength;  // bytes the piece asks for
    int result;
    std::size_t copied;
};

// Test names say enough; keep gtest from dumping the bytes.
void PrintTo(const CopyCase& c, std::ostream* os) {
    *os << c.name;
}

class FrameCopy : public testing::TestWithParam<CopyCase> {};

// Each case runs from a file, which the kernel copies, and from memory, which has no file
// behind it and goes through the block copy: both must leave the same piece.
TEST_P(FrameCopy, CopiesWholeFramesAndFailsOnAShortRead) {
    const CopyCase& c = GetParam();
    Bytes data = samples(c.available);
    for (const bool fromMemory : {false, true}) {
        SCOPED_TRACE(fromMemory ? "from memory" : "from a file");
        const File in =
            fromMemory ? File(fmemopen(data.data(), data.size(), "rb")) : tempFileWith(data);
        ASSERT_NE(in, nullptr);
        // Something already in the piece, as its header is, must stay ahead of the data.
        const File out = tempFileWith("head");
        ASSERT_NE(out, nullptr);
        ASSERT_EQ(std::fseek(out.get(), 0, SEEK_END), 0);
        WavInfo info;
        info.bitsPerSample = 16;
        info.channels = 2;
        info.dataLength = c.dataLength;
        EXPECT_EQ(wavFrameCopy(in.get(), out.get(), info), c.result);
        EXPECT_EQ(readStream(out.get()), "head" + data.substr(0, c.copied));
    }
}

constexpr std::uint32_t kMiB = 1u << 20;

INSTANTIATE_TEST_SUITE_P(
    Lengths, FrameCopy,
    testing::Values(CopyCase{"Exact", 40, 40, 0, 40},
                    CopyCase{"LeavesTheRestOfTheInput", 100, 40, 0, 40},
                    CopyCase{"Empty", 10, 0, 0, 0},
                    CopyCase{"PartialFrameAtTheEndIsNotCopied", 10, 10, 0, 8},
                    CopyCase{"ShortReadKeepsWholeFramesOnly", 15, 40, -1, 12},
                    CopyCase{"SeveralBlocks", 2 * kMiB + 8, 2 * kMiB + 8, 0, 2 * kMiB + 8},
                    CopyCase{"ShortReadInTheSecondBlock", kMiB + 6, kMiB + 40, -1, kMiB + 4},
                    CopyCase{"ShortReadAtABlockEdge", kMiB, kMiB + 4, -1, kMiB}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(FrameCopyWrite, ErrorHeldInTheStreamBufferFailsTheCopy) {
    const File in = tempFileWith(samples(8));
    ASSERT_NE(in, nullptr);
    const File out(std::fopen("/dev/full", "wb"));
    ASSERT_NE(out, nullptr);
    WavInfo info;
    info.bitsPerSample = 16;
    info.channels = 2;
    info.dataLength = 8;  // small enough to sit in the buffer until the flush
    EXPECT_EQ(wavFrameCopy(in.get(), out.get(), info), -1);
}

// --- Names from paths -----------------------------------------------------------------------

TEST(BaseName, DirectoryAndExtensionAreCut) {
    struct Row {
        const char* path;
        const char* base;
    };
    const Row rows[] = {
        {"take.wav", "take"},
        {"dir/take.01.wav", "take.01"},
        {"/abs/dir/take.wav", "take"},
        {"C:\\rec\\take.wav", "take"},
        {"rec\\sub/take.wav", "take"},
        {"C:take.wav", "take"},
        {"1:take.wav", "1:take"},  // only a letter makes a drive
        {"dir.x/noext", "noext"},
        {"noext", "noext"},
        {".wav", ""},
        {"dir/", ""},
        {"", ""},
#ifdef WAVSLICE_CP932
        // 0x5C after a lead byte is the trail byte of a character, not a separator.
        {"\x95\x5C.wav", "\x95\x5C"},
        {"dir\\\x95\x5C\x83\x5C.wav", "\x95\x5C\x83\x5C"},
        {"\x95\x5C\\take.wav", "take"},
        // Lead bytes run from 0x81 to 0x9F and from 0xE0 to 0xFC: 濬 is E0 5C, 鷭 EA 5C.
        {"\xE0\x5C.wav", "\xE0\x5C"},
        {"rec\\\xEA\x5C\xFC\x5C.wav", "\xEA\x5C\xFC\x5C"},
        // A lead byte followed by no trail byte stands alone: '/', '\\' and '.' after it
        // still count. The UTF-8 bytes of テスト end in 0x88.
        {"../src/\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88/take.wav", "take"},
        {"\x95/take.wav", "take"},
        {"\x81\x7F\\take.wav", "take"},
        {"\x9F\xFD\\take.wav", "take"},
        {"\x95.wav", "\x95"},
        {"take\x95", "take\x95"},
#else
        {"\x95\x5C.wav", ""},
#endif
    };
    for (const Row& r : rows) {
        EXPECT_EQ(pathBaseName(r.path), r.base) << r.path;
    }
}

// --- Piece length ---------------------------------------------------------------------------

TEST(PieceSeconds, ReadLikeAtolButSaturating) {
    struct Row {
        const char* text;
        std::int32_t value;
    };
    const Row rows[] = {
        {"10", 10},
        {"10sec", 10},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"+-1", 0},
        {"  +7", 7},
        {"\t\n\v\f\r 12", 12},
        {"-3", -3},
        {"007", 7},
        {"1e3", 1},
        {" 5 ", 5},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"99999999999", INT32_MAX},
        {"999999999999999999999999999999", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-2147483649", INT32_MIN},
        {"-99999999999", INT32_MIN},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(parsePieceSeconds(r.text), r.value) << '"' << r.text << '"';
    }
}

}  // namespace
