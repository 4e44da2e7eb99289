// Runs the Windows build of the tool under Wine in a Japanese locale (code page 932) and
// compares its streams, its exit status and every file it leaves, byte for byte.
//
// scripts/windows.sh sets up Wine and points WAVSLICE_TOOL at tests/wine_run.sh. Wine
// hands the program its arguments in code page 932 and maps its code page 932 file names
// to UTF-8 ones here, so `表.wav` is 95 5C 2E 77 61 76 to the program. The program's
// standard output and error are in text mode: every "\n" it prints arrives as "\r\n".
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "support.h"
#include "texts.h"
#include "tool_run.h"

namespace {

namespace fs = std::filesystem;

// Line feeds, a carriage return and the text-mode end-of-file byte lead the data: a piece
// read or written in text mode cannot come out right.
const Bytes kData = Bytes("\n\x1a\r\n") + samples(808);  // 25.375 seconds of kStereo16

// 44.1 kHz 16-bit stereo, and 25.4 seconds of it.
constexpr Fmt kCd{1, 2, 44100, 176400, 4, 16};
const Bytes kCdData = Bytes("\x1a\n") + samples(4480558);

// What reaches a file through a text-mode stream.
Bytes crlf(const Bytes& s) {
    Bytes r;
    for (const char c : s) {
        if (c == '\n') {
            r += '\r';
        }
        r += c;
    }
    return r;
}

// The run directory as the program sees it: Wine's drive Z: is the Linux root.
std::string windowsPath(const std::string& linuxPath) {
    std::string p = "Z:" + linuxPath;
    for (char& c : p) {
        if (c == '/') {
            c = '\\';
        }
    }
    return p;
}

// Replaces every "<dir>" in `s` with `dir`.
Bytes expand(Bytes s, const std::string& dir) {
    const std::string mark = "<dir>";
    for (auto at = s.find(mark); at != Bytes::npos; at = s.find(mark, at + dir.size())) {
        s.replace(at, mark.size(), dir);
    }
    return s;
}

using Files = std::map<std::string, Bytes>;  // Linux names; a name ending in '/' is a directory

struct Case {
    const char* name;
    Files before;
    std::vector<std::string> args;  // "<dir>" is the run directory as a Windows path
    Bytes out;                      // as printed, before the text mode adds "\r"
    Bytes err;
    int status;
    Files written;  // files the run creates
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// A take given to the program as `arg`, printed as `printed`, cut at 10 seconds into pieces
// named from `baseName`, which print as `printedBase`.
Case cutAtTen(const char* caseName, const Files& before, const std::string& arg,
              const Bytes& printed, const std::string& baseName, const Bytes& printedBase) {
    return {caseName,
            before,
            {arg, "10"},
            reportOut(printed, kStereo16) + progressAtTen(printed, printedBase),
            reportErr(812),
            0,
            piecesAtTen(baseName, kData)};
}

// The same for a name that code page 932 can spell: printed in it.
Case takeAtTen(const char* caseName, const Files& before, const std::string& arg,
               const std::string& baseName) {
    return cutAtTen(caseName, before, arg, T(arg), baseName, T(baseName));
}

// Every file and directory under `dir`, by relative path; directories end in '/'.
std::set<std::string> tree(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        const std::string rel = fs::relative(e.path(), dir).string();
        names.insert(e.is_directory() ? rel + "/" : rel);
    }
    return names;
}

std::vector<Case> cases() {
    const Bytes take = simpleWav(kStereo16, kData);
    const Files justTake{{"take.wav", take}};
    const Files takeInRec{{"rec/", ""}, {"rec/take.wav", take}};
    const Bytes takeReport = reportOut("take.wav", kStereo16);
    const Fmt mono{1, 1, 8, 16, 2, 16};
    const Fmt floats{3, 2, 8, 64, 8, 32};

    return {
        // The whole run, spelled out: a 25.4-second take at 44.1 kHz cut at 10 seconds.
        {"TwentyFiveSecondsAtTen",
         {{"take.wav", simpleWav(kCd, kCdData)}},
         {"take.wav", "10"},
         T("\ntake.wav :\n"
           "             データ形式: 1 (1 = PCM)\n"
           "           チャンネル数: 2\n"
           "     サンプリング周波数: 44100 [Hz]\n"
           "          バイト数 / 秒: 176400 [bytes/sec]\n"
           " バイト数×チャンネル数: 4 [bytes]\n"
           "    ビット数 / サンプル: 16 [bits/sample]\n"
           "\"LIST\"の長さ: 26 [bytes]\n\n"
           "\ntake.wav を take000.wavへ変換しました,   0 -   9 (10sec)."
           "\ntake.wav を take001.wavへ変換しました,  10 -  19 (10sec)."
           "\ntake.wav を take002.wavへ変換しました,  20 -  25 (5sec)."),
         T("\"fmt \"の長さ: 16 [bytes]\n\n\n\"data\" の長さ: 4480560 [bytes]\n"),
         0,
         {{"take000.wav", piece(kCd, kCdData, 0, 1764000)},
          {"take001.wav", piece(kCd, kCdData, 1764000, 1764000)},
          {"take002.wav", piece(kCd, kCdData, 3528000, 882000)}}},

        // Refusals: the message, exit status -1, no piece.
        {"Usage", justTake, {"take.wav"}, "", usageText(), 255, {}},
        {"MissingInput",
         {},
         {"missing.wav", "10"},
         "",
         inputOpenFailedText("missing.wav"),
         255,
         {}},
        {"NotRiff",
         {{"take.wav", riff(chunk("fmt ", fmtPayload(kStereo16)), "RIFX")}},
         {"take.wav", "10"},
         "\ntake.wav :\n",
         notRiffText(),
         255,
         {}},
        {"NotStereo",
         {{"mono.wav", simpleWav(mono, kData)}},
         {"mono.wav", "10"},
         "\nmono.wav :\n" + fmtReport(mono),
         fmtLengthLine(16) + notStereoText(1),
         255,
         {}},
        {"NotPcm",
         {{"float.wav", simpleWav(floats, kData)}},
         {"float.wav", "10"},
         "\nfloat.wav :\n" + fmtReport(floats),
         fmtLengthLine(16) + notPcmText("0003"),
         255,
         {}},
        {"PieceLengthZero",
         justTake,
         {"take.wav", "0"},
         takeReport,
         reportErr(812) + refusedLengthText(),
         255,
         {}},

        // Names and paths as a Windows user gives them. The trail byte of 表 and of ソ is
        // 0x5C, the byte of '\'.
        takeAtTen("ShiftJisName", {{"表.wav", take}}, "表.wav", "表"),
        takeAtTen("ShiftJisDirectoryAndName", {{"表/", ""}, {"表/ソ.wav", take}}, "表\\ソ.wav",
                  "ソ"),
        takeAtTen("BackslashPath", {{"rec/", ""}, {"rec/take.01.wav", take}}, "rec\\take.01.wav",
                  "take.01"),
        takeAtTen("SlashPath", takeInRec, "rec/take.wav", "take"),
        takeAtTen("DriveLetterPath", takeInRec, "<dir>\\rec\\take.wav", "take"),
        // Relative to the current directory of drive Z:, which is the run directory.
        takeAtTen("DriveLetterWithoutSeparator", justTake, "Z:take.wav", "take"),

        // Names that code page 932 cannot spell open all the same, and the pieces carry them
        // whole. Messages show each such character as '?', never as a look-alike. Paths are
        // split as UTF-8: read as Shift-JIS, the last byte of 래 (EB 9E 98) would pair with
        // the '\\' after it.
        cutAtTen("NameWithAnAccent", {{"Café.wav", take}}, "Café.wav", "Caf?.wav", "Café", "Caf?"),
        // The best-fit spelling of Café.wav names another file: it is neither cut nor touched.
        cutAtTen("AccentBesideItsBestFit",
                 {{"Café.wav", take}, {"Cafe.wav", simpleWav(kStereo16, samples(812, 5))}},
                 "Café.wav", "Caf?.wav", "Café", "Caf?"),
        cutAtTen("KoreanNameInAKoreanDirectory", {{"노래/", ""}, {"노래/한국어.wav", take}},
                 "노래\\한국어.wav", "??\\???.wav", "한국어", "???"),
        cutAtTen("EmojiNameInAKoreanDirectory", {{"노래/", ""}, {"노래/🎵 take.wav", take}},
                 "<dir>\\노래\\🎵 take.wav", "<dir>\\??\\? take.wav", "🎵 take", "? take"),
        {"MissingNameOutsideTheCodePage",
         justTake,
         {"없음.wav", "10"},
         "",
         inputOpenFailedText("??.wav"),
         255,
         {}},
    };
}

class WindowsTool : public testing::TestWithParam<Case> {};

TEST_P(WindowsTool, StreamsStatusAndFiles) {
    const Case& c = GetParam();
    TempDir dir;
    for (const auto& [name, bytes] : c.before) {
        if (name.back() == '/') {
            fs::create_directory(dir / name);
        } else {
            writeFile(dir / name, bytes);
        }
    }
    const std::string windowsDir = windowsPath(dir.path());
    std::vector<std::string> args;
    for (const auto& a : c.args) {
        args.push_back(expand(a, windowsDir));
    }

    const ToolRun r = runTool(dir.path(), args);
    EXPECT_EQ(r.out, crlf(expand(c.out, windowsDir)));
    EXPECT_EQ(r.err, crlf(expand(c.err, windowsDir)));
    EXPECT_EQ(r.status, c.status);

    // Exactly the files before plus the pieces, the inputs untouched.
    Files expected = c.before;
    expected.insert(c.written.begin(), c.written.end());
    std::set<std::string> names;
    for (const auto& [name, bytes] : expected) {
        names.insert(name);
        if (name.back() != '/') {
            EXPECT_EQ(readFile(dir / name), bytes) << name;
        }
    }
    EXPECT_EQ(tree(dir.path()), names);
}

INSTANTIATE_TEST_SUITE_P(Runs, WindowsTool, testing::ValuesIn(cases()),
                         [](const auto& p) { return std::string(p.param.name); });

// With both streams on one file, the lines come in the order they were printed, and a
// piece that cannot be created fails the run.
TEST(WindowsToolStreams, OneFileKeepsThePrintingOrder) {
    TempDir dir;
    writeFile(dir / "take.wav", simpleWav(kStereo16, kData));
    fs::create_directory(dir / "take001.wav");
    const ToolRun r = runTool(dir.path(), {"take.wav", "10"}, true);
    EXPECT_EQ(r.out, crlf(mergedCutFailingAtSecondPiece()));
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(readFile(dir / "take000.wav"), piece(kStereo16, kData, 0, 320));
    EXPECT_FALSE(fs::exists(dir / "take002.wav"));
}

// A piece name that is another name of the input, a hard link or a symbolic one, is found
// to be the input by its volume and file index, and left whole; the run stops there.
TEST(WindowsToolLinks, APieceNameThatIsTheInputLeavesItWhole) {
    for (const bool hard : {true, false}) {
        SCOPED_TRACE(hard ? "hard link" : "symbolic link");
        TempDir dir;
        const Bytes take = simpleWav(kStereo16, kData);
        writeFile(dir / "take.wav", take);
        if (hard) {
            fs::create_hard_link(dir / "take.wav", dir / "take001.wav");
        } else {
            fs::create_symlink("take.wav", dir / "take001.wav");
        }
        const ToolRun r = runTool(dir.path(), {"take.wav", "10"});
        EXPECT_EQ(r.out, crlf(reportOut("take.wav", kStereo16) +
                              progress("take.wav", "take000.wav", 0, 9, 10)));
        EXPECT_EQ(r.err, crlf(reportErr(812) + cannotOpenText("take001.wav")));
        EXPECT_EQ(r.status, 255);
        EXPECT_EQ(readFile(dir / "take.wav"), take);
        EXPECT_EQ(readFile(dir / "take000.wav"), piece(kStereo16, kData, 0, 320));
        EXPECT_EQ(listDir(dir.path()),
                  (std::vector<std::string>{"take.wav", "take000.wav", "take001.wav"}));
    }
}

// Positions go through the 64-bit calls of the Windows C runtime, whose `long` is 32
// bits: a data chunk that starts below 2 GiB and ends above it is cut exactly, and a
// chunk whose size reaches past 4 GiB is listed, not wrapped. The file is sparse.
TEST(WindowsToolLargeFile, DataAcrossTwoGiBIsCutExactly) {
    TempDir dir;
    const std::uint32_t listSize = (1u << 31) - 100;
    const Bytes data = Bytes("\n\x1a") + samples(25 * 32 + 3);
    const Bytes head = "RIFF" + le32s(0xFFFFFFFFu) + "WAVE" + chunk("fmt ", fmtPayload(kStereo16)) +
                       chunkHeader("LIST", listSize);
    const Bytes tail = chunk("data", data) + chunkHeader("JUNK", 0xFFFFFFF0u);
    {
        std::error_code ec;
        writeFile(dir / "big.wav", head);
        fs::resize_file(dir / "big.wav", head.size() + listSize, ec);
        ASSERT_FALSE(ec) << ec.message();
        std::FILE* f = std::fopen((dir / "big.wav").c_str(), "ab");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(std::fwrite(tail.data(), 1, tail.size(), f), tail.size());
        ASSERT_EQ(std::fclose(f), 0);
    }
    struct stat st {};
    ASSERT_EQ(stat((dir / "big.wav").c_str(), &st), 0);
    if (st.st_blocks * 512 > (1 << 24)) {
        GTEST_SKIP() << "this file system does not make sparse files";
    }

    const ToolRun r = runTool(dir.path(), {"big.wav", "10"});
    EXPECT_EQ(r.out,
              crlf("\nbig.wav :\n" + fmtReport(kStereo16) + otherLengthLine("LIST", 2147483548) +
                   otherLengthLine("JUNK", 4294967280u) + progressAtTen("big.wav", "big")));
    EXPECT_EQ(r.err, crlf(reportErr(805)));
    EXPECT_EQ(r.status, 0);
    expectFiles(dir.path(), piecesAtTen("big", data));
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const char* tool = std::getenv("WAVSLICE_TOOL");
    if (tool == nullptr || *tool == '\0') {
        std::fprintf(stderr,
                     "WAVSLICE_TOOL must name the program that runs wavslice.exe under Wine; "
                     "run these tests with scripts/windows.sh\n");
        return 2;
    }
    return RUN_ALL_TESTS();
}
