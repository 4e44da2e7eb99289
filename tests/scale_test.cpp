// Inputs at the edges of size: positions past 2 and 3 GiB, a data size that claims 4 GiB,
// a thousand pieces and a hundred thousand chunks.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "support.h"
#include "texts.h"
#include "tool_run.h"

namespace {

struct Region {
    std::uint64_t offset;
    Bytes bytes;
};

// Writes only `regions`; the gaps are holes. False where the file system cannot make them.
bool writeSparse(const std::string& path, const std::vector<Region>& regions) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    for (const Region& r : regions) {
        if (fseeko(f, static_cast<off_t>(r.offset), SEEK_SET) != 0 ||
            std::fwrite(r.bytes.data(), 1, r.bytes.size(), f) != r.bytes.size()) {
            std::fclose(f);
            return false;
        }
    }
    struct stat st {};
    return std::fclose(f) == 0 && stat(path.c_str(), &st) == 0 && st.st_blocks * 512 < (1 << 24);
}

// The data starts below 2 GiB and ends above it, the chunks after it lie past 3 GiB, and the
// last one claims to reach past 4 GiB. Most of the file is a LIST chunk that the walk seeks
// over; it is a hole, so the file costs no disk.
TEST(ToolLargeFile, PositionsPastTwoAndThreeGiB) {
    TempDir dir;
    const std::uint32_t listSize = (1u << 31) - 100;
    const std::uint32_t junkSize = (1u << 30) + 7;
    const Bytes data = samples(25 * 32 + 5);
    const Bytes head = "RIFF" + le32s(0xFFFFFFFFu) + "WAVE" + chunk("fmt ", fmtPayload(kStereo16)) +
                       chunkHeader("LIST", listSize);
    const std::uint64_t dataChunk = head.size() + listSize;
    const std::uint64_t junk = dataChunk + 8 + data.size();
    const std::uint64_t last = junk + 8 + junkSize;
    ASSERT_GT(last, 3ull << 30);
    if (!writeSparse(dir / "big.wav", {{0, head},
                                       {dataChunk, chunk("data", data)},
                                       {junk, chunkHeader("JUNK", junkSize)},
                                       {last, chunkHeader("PAD ", 0xFFFFFFF0u)}})) {
        GTEST_SKIP() << "this file system does not make sparse files";
    }

    const ToolRun r = runTool(dir.path(), {"big.wav", "10"});
    EXPECT_EQ(r.out, "\nbig.wav :\n" + fmtReport(kStereo16) + otherLengthLine("LIST", 2147483548) +
                         otherLengthLine("JUNK", 1073741831) +
                         otherLengthLine("PAD ", 4294967280u) + progressAtTen("big.wav", "big"));
    EXPECT_EQ(r.err, reportErr(805));
    EXPECT_EQ(r.status, 0);
    expectFiles(dir.path(), piecesAtTen("big", data));
}

// A data size of 4294967295 on a file of 812 data bytes: the plan does not wrap, the pieces
// the file can fill are written, and the first that it cannot ends the run.
TEST(ToolLargeFile, DataSizeClaimingFourGiB) {
    TempDir dir;
    const Bytes data = samples(812);
    writeFile(dir / "take.wav",
              riff(chunk("fmt ", fmtPayload(kStereo16)) + chunk("LIST", Bytes(26, 'i')) +
                   chunkHeader("data", 0xFFFFFFFFu) + data));

    const ToolRun r = runTool(dir.path(), {"take.wav", "10"});
    EXPECT_EQ(r.out, reportOut("take.wav", kStereo16) +
                         progress("take.wav", "take000.wav", 0, 9, 10) +
                         progress("take.wav", "take001.wav", 10, 19, 10));
    EXPECT_EQ(r.err, reportErr(4294967295u) + copyFailedText());
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(listDir(dir.path()),
              (std::vector<std::string>{"take.wav", "take000.wav", "take001.wav", "take002.wav"}));
    EXPECT_EQ(readFile(dir / "take000.wav"), piece(kStereo16, data, 0, 320));
    EXPECT_EQ(readFile(dir / "take001.wav"), piece(kStereo16, data, 320, 320));
    // The failed piece keeps the header of its full length and the whole frames there were.
    EXPECT_EQ(readFile(dir / "take002.wav"), pieceHeader(kStereo16, 320) + data.substr(640));
}

// 1001 one-second pieces: the numbers run past three digits without a gap.
TEST(ToolManyPieces, NamesGrowPastThreeDigits) {
    TempDir dir;
    const Bytes data = samples(std::size_t{1001} * 32);
    writeFile(dir / "take.wav", simpleWav(kStereo16, data));

    const ToolRun r = runTool(dir.path(), {"take.wav", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    Bytes lines;
    std::vector<std::string> names{"take.wav"};
    for (int i = 0; i <= 1000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "take%03d.wav", i);
        names.push_back(name);
        lines += progress("take.wav", name, i, i, 1);
        EXPECT_EQ(readFile(dir / name),
                  piece(kStereo16, data, std::size_t{32} * static_cast<unsigned>(i), 32))
            << name;
    }
    EXPECT_EQ(r.out, reportOut("take.wav", kStereo16) + lines);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(listDir(dir.path()), names);
}

// A hundred thousand small chunks ahead of "data", each listed in turn; the walk keeps
// nothing per chunk.
TEST(ToolManyChunks, HundredThousandChunksAheadOfTheData) {
    TempDir dir;
    const Bytes data = samples(812);
    Bytes chunks;
    Bytes listed;
    for (int i = 0; i < 100000; ++i) {
        char id[8];
        std::snprintf(id, sizeof id, "c%03d", i % 1000);
        const Bytes payload(static_cast<std::size_t>(i % 4), 'p');
        chunks += chunk(id, payload);
        listed += otherLengthLine(id, static_cast<std::uint32_t>(payload.size()));
    }
    writeFile(dir / "take.wav",
              riff(chunk("fmt ", fmtPayload(kStereo16)) + chunks + chunk("data", data)));

    const ToolRun r = runTool(dir.path(), {"take.wav", "30"});
    EXPECT_EQ(r.out, "\ntake.wav :\n" + fmtReport(kStereo16) + listed +
                         progress("take.wav", "take000.wav", 0, 25, 25));
    EXPECT_EQ(r.err, reportErr(812));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(readFile(dir / "take000.wav"), piece(kStereo16, data, 0, 800));
}

}  // namespace
