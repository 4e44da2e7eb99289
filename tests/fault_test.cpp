// Runs the built tool against failing outputs: a full device, a file-size limit; and against
// a read-only input.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "support.h"
#include "texts.h"
#include "tool_run.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMiB = 1u << 20;
// 1 MiB a second: a piece of two seconds takes several copy blocks.
constexpr Fmt kMiBRate{1, 2, 262144, 1048576, 4, 16};

struct FaultCase {
    const char* name;
    Fmt fmt;
    std::size_t dataBytes;
    int pieceSeconds;
    const char* fullPiece;    // piece name made a symlink to /dev/full, or null
    rlim_t sizeLimit;         // RLIMIT_FSIZE of the tool, or 0 for none
    int donePieces;           // pieces written whole before the failure
    std::size_t failedKeeps;  // bytes of the failing piece on disk when it is a plain file
    bool headerFails;         // the header cannot be written, rather than the data
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

std::string pieceName(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "take%03d.wav", i);
    return name;
}

class ToolFault : public testing::TestWithParam<FaultCase> {};

// The failing piece prints its message once, the header's or the copy's, and ends the run
// with -1; the pieces before it stay whole and no later piece is begun.
TEST_P(ToolFault, FailsThePieceAndStops) {
    const FaultCase& c = GetParam();
    TempDir dir;
    const Bytes data = samples(c.dataBytes);
    writeFile(dir / "take.wav", simpleWav(c.fmt, data));
    const std::string failing = pieceName(c.donePieces);
    if (c.fullPiece != nullptr) {
        fs::create_symlink("/dev/full", dir / c.fullPiece);
    }
    const rlim_t limit = c.sizeLimit;
    const auto limitFileSize = [limit] {
        if (limit != 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit rl{limit, limit};
            setrlimit(RLIMIT_FSIZE, &rl);
        }
    };

    const ToolRun r =
        runTool(dir.path(), {"take.wav", std::to_string(c.pieceSeconds)}, false, limitFileSize);

    const std::size_t pieceBytes = static_cast<std::size_t>(c.pieceSeconds) * c.fmt.bytesPerSecond;
    Bytes out = reportOut("take.wav", c.fmt);
    std::vector<std::string> names{"take.wav"};
    for (int i = 0; i < c.donePieces; ++i) {
        const int first = i * c.pieceSeconds;
        out +=
            progress("take.wav", pieceName(i), first, first + c.pieceSeconds - 1, c.pieceSeconds);
        EXPECT_EQ(readFile(dir / pieceName(i)),
                  piece(c.fmt, data, static_cast<std::size_t>(i) * pieceBytes, pieceBytes))
            << pieceName(i);
        names.push_back(pieceName(i));
    }
    EXPECT_EQ(r.out, out);
    EXPECT_EQ(r.err, reportErr(static_cast<std::uint32_t>(c.dataBytes)) +
                         (c.headerFails ? headerWriteFailedText(failing) : copyFailedText()));
    EXPECT_EQ(r.status, 255);

    names.push_back(failing);
    if (c.fullPiece != nullptr) {
        EXPECT_TRUE(fs::is_symlink(dir / failing)) << failing;
    } else {
        const Bytes whole =
            piece(c.fmt, data, static_cast<std::size_t>(c.donePieces) * pieceBytes, pieceBytes);
        EXPECT_EQ(readFile(dir / failing), whole.substr(0, c.failedKeeps)) << failing;
    }
    EXPECT_EQ(listDir(dir.path()), names);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ToolFault,
    testing::Values(
        // The header is flushed as it is written, so the full device fails it there, and
        // not later in the copy, for the first piece as for a later one.
        FaultCase{"FullDeviceAtTheFirstHeader", kMiBRate, 5 * kMiB, 2, "take000.wav", 0, 0, 0,
                  true},
        FaultCase{"FullDeviceAtALaterHeader", kStereo16, 812, 10, "take001.wav", 0, 1, 0, true},
        // The limit also binds the captured streams, so it stays well above their size. All
        // full pieces have one size, so a per-file limit cuts the first of them.
        FaultCase{"SizeLimitDuringTheCopy", kMiBRate, 5 * kMiB, 2, nullptr, 44 + 3 * kMiB / 2, 0,
                  44 + 3 * kMiB / 2, false}),
    [](const auto& p) { return std::string(p.param.name); });

// The input cannot be opened again for the piece (no descriptor is left for it): its
// open failure, and the piece keeps its header. Nothing goes on with a stream that is not.
TEST(ToolInput, InputThatCannotBeReopenedFailsThePiece) {
    TempDir dir;
    writeFile(dir / "take.wav", simpleWav(kStereo16, samples(812)));
    // 0 to 2, then the input for the header and, once that is closed, the piece: 4 in all.
    const ToolRun r = runTool(dir.path(), {"take.wav", "10"}, false, [] {
        const rlimit rl{4, 4};
        setrlimit(RLIMIT_NOFILE, &rl);
    });
    EXPECT_EQ(r.out, reportOut("take.wav", kStereo16));
    EXPECT_EQ(r.err, reportErr(812) + cannotOpenText("take.wav"));
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(readFile(dir / "take000.wav"), pieceHeader(kStereo16, 320));
    EXPECT_EQ(listDir(dir.path()), (std::vector<std::string>{"take.wav", "take000.wav"}));
}

// The input is only ever opened for reading: one without write permission is cut as any
// other, and keeps its bytes, time stamp and mode.
TEST(ToolInput, ReadOnlyInputIsCutNormally) {
    TempDir dir;
    const Bytes data = samples(812);
    const Bytes take = simpleWav(kStereo16, data);
    writeFile(dir / "take.wav", take);
    fs::permissions(dir / "take.wav",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto mtime = fs::last_write_time(dir / "take.wav");

    const ToolRun r = runTool(dir.path(), {"take.wav", "10"});

    EXPECT_EQ(r.out, reportOut("take.wav", kStereo16) + progressAtTen("take.wav", "take"));
    EXPECT_EQ(r.err, reportErr(812));
    EXPECT_EQ(r.status, 0);
    expectFiles(dir.path(), piecesAtTen("take", data));
    EXPECT_EQ(readFile(dir / "take.wav"), take);
    EXPECT_EQ(fs::last_write_time(dir / "take.wav"), mtime);
    EXPECT_EQ(fs::status(dir / "take.wav").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

}  // namespace
