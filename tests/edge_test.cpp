// Runs the built tool where a user's data is at stake: piece names that lead to the input,
// closed standard descriptors, and inputs that cannot be positioned.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support.h"
#include "texts.h"
#include "tool_run.h"

namespace {

namespace fs = std::filesystem;

const Bytes kData = samples(812);  // 25.375 seconds of kStereo16

// --- Piece names that lead to the input ------------------------------------------------------

enum class Link { Symbolic, Hard };

struct LinkCase {
    const char* name;
    const char* input;  // where the take lies, relative to the run directory
    const char* link;   // the piece name made a link to it
    Link kind;
    int donePieces;  // pieces written before the link is met
};

void PrintTo(const LinkCase& c, std::ostream* os) {
    *os << c.name;
}

class ToolLinkToInput : public testing::TestWithParam<LinkCase> {};

// The link is opened, found to be the input and left alone: nothing of the input is lost,
// the run stops there with the piece-open failure, and earlier pieces stay whole.
TEST_P(ToolLinkToInput, LeavesTheInputWhole) {
    const LinkCase& c = GetParam();
    TempDir dir;
    const Bytes take = simpleWav(kStereo16, kData);
    fs::create_directories(fs::path(dir / c.input).parent_path());
    writeFile(dir / c.input, take);
    const auto mtime = fs::last_write_time(dir / c.input);
    if (c.kind == Link::Symbolic) {
        fs::create_symlink(fs::absolute(dir / c.input), dir / c.link);
    } else {
        fs::create_hard_link(dir / c.input, dir / c.link);
    }

    const ToolRun r = runTool(dir.path(), {c.input, "10"});

    Bytes out = reportOut(c.input, kStereo16);
    const auto pieces = piecesAtTen("take", kData);
    auto next = pieces.begin();
    for (int i = 0; i < c.donePieces; ++i, ++next) {
        out += progress(c.input, next->first, 10 * i, 10 * i + 9, 10);
        EXPECT_EQ(readFile(dir / next->first), next->second) << next->first;
    }
    EXPECT_EQ(r.out, out);
    EXPECT_EQ(r.err, reportErr(812) + cannotOpenText(c.link));
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(readFile(dir / c.input), take);
    EXPECT_EQ(fs::last_write_time(dir / c.input), mtime);
    EXPECT_EQ(fs::equivalent(dir / c.link, dir / c.input), true);
    for (; next != pieces.end(); ++next) {
        EXPECT_TRUE(next->first == c.link || !fs::exists(dir / next->first)) << next->first;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Links, ToolLinkToInput,
    testing::Values(
        LinkCase{"SymbolicLinkAsSecondPiece", "take.wav", "take001.wav", Link::Symbolic, 1},
        LinkCase{"HardLinkAsSecondPiece", "take.wav", "take001.wav", Link::Hard, 1},
        LinkCase{"SymbolicLinkAsFirstPiece", "take.wav", "take000.wav", Link::Symbolic, 0},
        LinkCase{"HardLinkToAnInputElsewhere", "rec/take.wav", "take002.wav", Link::Hard, 2}),
    [](const auto& p) { return std::string(p.param.name); });

// --- Closed standard descriptors --------------------------------------------------------------

struct ClosedCase {
    const char* name;
    std::vector<int> closed;  // descriptors closed when the tool starts
};

void PrintTo(const ClosedCase& c, std::ostream* os) {
    *os << c.name;
}

class ToolClosedStream : public testing::TestWithParam<ClosedCase> {};

// The data claims 812 bytes, the file holds 400: four pieces of 3 seconds, then a fifth that
// fails in the copy and prints its message. No text reaches a piece, whichever stream is shut.
TEST_P(ToolClosedStream, NoTextReachesAPiece) {
    const ClosedCase& c = GetParam();
    TempDir dir;
    writeFile(dir / "tr.wav", simpleWav(kStereo16, kData).substr(0, 78 + 400));
    const std::vector<int> closed = c.closed;
    const ToolRun r = runTool(dir.path(), {"tr.wav", "3"}, false, [closed] {
        for (const int fd : closed) {
            close(fd);
        }
    });

    Bytes out = reportOut("tr.wav", kStereo16);
    std::vector<std::string> names{"tr.wav"};
    for (int i = 0; i < 5; ++i) {
        const std::string name = "tr00" + std::to_string(i) + ".wav";
        names.push_back(name);
        const Bytes whole = piece(kStereo16, kData, 96 * static_cast<std::size_t>(i), 96);
        EXPECT_EQ(readFile(dir / name), i < 4 ? whole : whole.substr(0, 44 + 16)) << name;
        if (i < 4) {
            out += progress("tr.wav", name, 3 * i, 3 * i + 2, 3);
        }
    }
    const auto isClosed = [&](int fd) {
        return std::find(closed.begin(), closed.end(), fd) != closed.end();
    };
    EXPECT_EQ(r.out, isClosed(1) ? "" : out);
    EXPECT_EQ(r.err, isClosed(2) ? "" : reportErr(812) + copyFailedText());
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(listDir(dir.path()), names);
}

INSTANTIATE_TEST_SUITE_P(Descriptors, ToolClosedStream,
                         testing::Values(ClosedCase{"StandardError", {2}},
                                         ClosedCase{"StandardOutput", {1}},
                                         ClosedCase{"AllThree", {0, 1, 2}}),
                         [](const auto& p) { return std::string(p.param.name); });

// --- Inputs that cannot be positioned
// -------------------------------------------------------------

// Standard input of the tool: a pipe already holding `bytes`, with its writing end closed.
void pipeToStdin(const Bytes& bytes) {
    int fds[2];
    if (pipe(fds) != 0 ||
        write(fds[1], bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        _exit(126);
    }
    close(fds[1]);
    dup2(fds[0], 0);
    close(fds[0]);
}

// Every piece reopens and positions the input, so a pipe or a FIFO is refused at once, before
// the path line, as an input that cannot be opened.
TEST(ToolUnseekableInput, PipeAndFifoAreRefusedAtOnce) {
    TempDir dir;
    const Bytes take = simpleWav(kStereo16, kData);
    ASSERT_EQ(mkfifo((dir / "fifo.wav").c_str(), 0644), 0);
    struct Row {
        const char* name;
        const char* input;
        std::function<void()> inChild;
    };
    const std::string fifo = dir / "fifo.wav";
    const Row rows[] = {
        {"pipe behind standard input", "/dev/stdin", [&take] { pipeToStdin(take); }},
        // A writer of its own feeds the FIFO, as `cat take.wav > fifo.wav` would.
        {"FIFO", "fifo.wav",
         [&take, fifo] {
             if (fork() == 0) {
                 const int fd = open(fifo.c_str(), O_WRONLY);
                 _exit(fd >= 0 && write(fd, take.data(), take.size()) > 0 ? 0 : 1);
             }
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ToolRun r = runTool(dir.path(), {row.input, "10"}, false, row.inChild);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, inputOpenFailedText(row.input));
        EXPECT_EQ(r.status, 255);
        EXPECT_EQ(listDir(dir.path()), std::vector<std::string>{"fifo.wav"});
    }
}

// A regular file behind standard input can be positioned, and is cut as any other.
TEST(ToolUnseekableInput, RegularFileBehindStandardInputIsCut) {
    TempDir dir;
    writeFile(dir / "take.wav", simpleWav(kStereo16, kData));
    const std::string take = dir / "take.wav";
    const ToolRun r = runTool(dir.path(), {"/dev/stdin", "10"}, false, [take] {
        const int fd = open(take.c_str(), O_RDONLY);
        if (fd < 0 || dup2(fd, 0) < 0) {
            _exit(126);
        }
        close(fd);
    });
    EXPECT_EQ(r.out, reportOut("/dev/stdin", kStereo16) + progressAtTen("/dev/stdin", "stdin"));
    EXPECT_EQ(r.err, reportErr(812));
    EXPECT_EQ(r.status, 0);
    expectFiles(dir.path(), piecesAtTen("stdin", kData));
}

}  // namespace
