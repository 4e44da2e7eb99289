// Runs the built tool in a fresh directory and compares its streams, its exit status and
// every file it leaves, byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "support.h"
#include "texts.h"
#include "tool_run.h"

namespace {

namespace fs = std::filesystem;

const Bytes kData = samples(812);  // 25.375 seconds of kStereo16

using Files = std::map<std::string, Bytes>;  // a name ending in '/' is a directory

struct Case {
    const char* name;
    Files before;
    std::vector<std::string> args;
    Bytes out;
    Bytes err;
    int status;
    Files written;  // files the run creates or replaces
};

// Test names say enough; keep gtest from dumping the bytes.
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// A 25-second take cut at 30 seconds: one piece, named from `baseName`, reporting 0 - 25.
Case wholeTakeInOnePiece(const char* caseName, const std::string& input,
                         const std::string& baseName) {
    const std::string pieceName = baseName + "000.wav";
    return {caseName,
            {{input, simpleWav(kStereo16, kData)}},
            {input, "30"},
            reportOut(input, kStereo16) + progress(input, pieceName, 0, 25, 25),
            reportErr(812),
            0,
            {{pieceName, piece(kStereo16, kData, 0, 800)}}};
}

std::vector<Case> cases() {
    const Bytes take = simpleWav(kStereo16, kData);
    const Files justTake{{"take.wav", take}};
    const Files threePieces = piecesAtTen("take", kData);
    const Bytes threeLines = progressAtTen("take.wav", "take");
    const Bytes takeReport = reportOut("take.wav", kStereo16);

    // The data claims 812 bytes, the file ends 400 bytes into it.
    const Bytes truncated = take.substr(0, 78 + 400);

    const Bytes sjisName = "\x95\x5C.wav";  // the cp932 bytes of a one-character name
#ifdef WAVSLICE_CP932
    const Bytes sjisBase = "\x95\x5C";
#else
    const Bytes sjisBase;
#endif

    // Linux takes names of up to 255 bytes: 248 + "000.wav" fits, 249 + "000.wav" does not.
    const std::string longest(248, 'L');
    const std::string tooLong(249, 'L');

    return {
        {"UsageWithoutArguments", justTake, {}, "", usageText(), 255, {}},
        {"UsageWithOneArgument", justTake, {"take.wav"}, "", usageText(), 255, {}},
        {"UsageWithThreeArguments", justTake, {"take.wav", "10", "10"}, "", usageText(), 255, {}},
        {"MissingInput",
         {},
         {"missing.wav", "10"},
         "",
         inputOpenFailedText("missing.wav"),
         255,
         {}},
        {"EmptyInput",
         {{"take.wav", ""}},
         {"take.wav", "10"},
         "\ntake.wav :\n",
         readFailedText(0),
         255,
         {}},
        {"RefusedFormat",
         {{"mono.wav", simpleWav({1, 1, 8, 16, 2, 16}, kData)}},
         {"mono.wav", "10"},
         "\nmono.wav :\n" + fmtReport({1, 1, 8, 16, 2, 16}),
         fmtLengthLine(16) + notStereoText(1),
         255,
         {}},
        // The full cut, spelled out.
        {"TwentyFiveSecondsAtTen",
         justTake,
         {"take.wav", "10"},
         T("\ntake.wav :\n"
           "             データ形式: 1 (1 = PCM)\n"
           "           チャンネル数: 2\n"
           "     サンプリング周波数: 8 [Hz]\n"
           "          バイト数 / 秒: 32 [bytes/sec]\n"
           " バイト数×チャンネル数: 4 [bytes]\n"
           "    ビット数 / サンプル: 16 [bits/sample]\n"
           "\"LIST\"の長さ: 26 [bytes]\n\n"
           "\ntake.wav を take000.wavへ変換しました,   0 -   9 (10sec)."
           "\ntake.wav を take001.wavへ変換しました,  10 -  19 (10sec)."
           "\ntake.wav を take002.wavへ変換しました,  20 -  25 (5sec)."),
         T("\"fmt \"の長さ: 16 [bytes]\n\n\n\"data\" の長さ: 812 [bytes]\n"),
         0,
         threePieces},
        {"PieceLengthWithUnitSuffix",
         justTake,
         {"take.wav", "10sec"},
         takeReport + threeLines,
         reportErr(812),
         0,
         threePieces},
        {"PieceLengthZero",
         justTake,
         {"take.wav", "0"},
         takeReport,
         reportErr(812) + refusedLengthText(),
         255,
         {}},
        {"PieceLengthNegative",
         justTake,
         {"take.wav", "-5"},
         takeReport,
         reportErr(812) + refusedLengthText(),
         255,
         {}},
        {"PieceLengthNotANumber",
         justTake,
         {"take.wav", "abc"},
         takeReport,
         reportErr(812) + refusedLengthText(),
         255,
         {}},
        {"PieceLengthHugeSaturates",
         justTake,
         {"take.wav", "99999999999"},
         takeReport + progress("take.wav", "take000.wav", 0, 25, 25),
         reportErr(812),
         0,
         {{"take000.wav", piece(kStereo16, kData, 0, 800)}}},
        {"PieceLengthHugeNegativeSaturates",
         justTake,
         {"take.wav", "-99999999999"},
         takeReport,
         reportErr(812) + refusedLengthText(),
         255,
         {}},
        // Pieces go to the current directory, named from the last component.
        {"InputInAnotherDirectory",
         {{"dir/", ""}, {"dir/take.01.wav", take}},
         {"dir/take.01.wav", "10"},
         reportOut("dir/take.01.wav", kStereo16) + progressAtTen("dir/take.01.wav", "take.01"),
         reportErr(812),
         0,
         piecesAtTen("take.01", kData)},
        // A Shift-JIS lead byte right before a '/' does not hide it: the UTF-8 bytes of テスト
        // end in 0x88, and 95 2F is no character either. The pieces still go here.
        {"LeadByteBeforeASlash",
         {{"テスト/", ""}, {"テスト/take.wav", take}},
         {"テスト/take.wav", "10"},
         reportOut("テスト/take.wav", kStereo16) + progressAtTen("テスト/take.wav", "take"),
         reportErr(812),
         0,
         threePieces},
        {"LoneLeadByteDirectory",
         {{"\x95/", ""}, {"\x95/take.wav", take}},
         {"\x95/take.wav", "10"},
         reportOut("\x95/take.wav", kStereo16) + progressAtTen("\x95/take.wav", "take"),
         reportErr(812),
         0,
         threePieces},
        // On Linux these are plain file names; the base name is still cut as on Windows.
        wholeTakeInOnePiece("BackslashPath", "rec\\take.wav", "take"),
        wholeTakeInOnePiece("DriveLetterPath", "C:take.wav", "take"),
        wholeTakeInOnePiece("ShiftJisName", sjisName, sjisBase),
        {"ExistingPieceIsReplaced",
         {{"take.wav", take}, {"take000.wav", samples(5000, 9)}},
         {"take.wav", "10"},
         takeReport + threeLines,
         reportErr(812),
         0,
         threePieces},
        {"DirectoryInAPiecesPlace",
         {{"take.wav", take}, {"take001.wav/", ""}},
         {"take.wav", "10"},
         takeReport + progress("take.wav", "take000.wav", 0, 9, 10),
         reportErr(812) + cannotOpenText("take001.wav"),
         255,
         {{"take000.wav", piece(kStereo16, kData, 0, 320)}}},
        // The piece that reaches the cut keeps the header of its full length.
        {"TruncatedData",
         {{"take.wav", truncated}},
         {"take.wav", "10"},
         takeReport + progress("take.wav", "take000.wav", 0, 9, 10),
         reportErr(812) + copyFailedText(),
         255,
         {{"take000.wav", piece(kStereo16, kData, 0, 320)},
          {"take001.wav", pieceHeader(kStereo16, 320) + kData.substr(320, 80)}}},
        {"Stereo8",
         {{"take.wav", simpleWav(kStereo8, kData.substr(0, 406))}},
         {"take.wav", "10"},
         reportOut("take.wav", kStereo8) + progress("take.wav", "take000.wav", 0, 9, 10) +
             progress("take.wav", "take001.wav", 10, 19, 10) +
             progress("take.wav", "take002.wav", 20, 25, 5),
         reportErr(406),
         0,
         {{"take000.wav", piece(kStereo8, kData, 0, 160)},
          {"take001.wav", piece(kStereo8, kData, 160, 160)},
          {"take002.wav", piece(kStereo8, kData, 320, 80)}}},
        // Piece names are formed whole, however long; the file system has the last word.
        wholeTakeInOnePiece("LongestPieceName", longest + ".wav", longest),
        {"PieceNameTooLongForTheFileSystem",
         {{tooLong + ".wav", take}},
         {tooLong + ".wav", "30"},
         reportOut(tooLong + ".wav", kStereo16),
         reportErr(812) + cannotOpenText(tooLong + "000.wav"),
         255,
         {}},
    };
}

class Tool : public testing::TestWithParam<Case> {};

TEST_P(Tool, StreamsStatusAndFiles) {
    const Case& c = GetParam();
    TempDir dir;
    std::map<std::string, fs::file_time_type> mtimes;
    for (const auto& [name, bytes] : c.before) {
        if (name.back() == '/') {
            fs::create_directory(dir / name);
        } else {
            writeFile(dir / name, bytes);
            mtimes[name] = fs::last_write_time(dir / name);
        }
    }

    const ToolRun r = runTool(dir.path(), c.args);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.status, c.status);

    // Exactly the files before plus the pieces, the pieces byte for byte, and every input
    // untouched.
    Files expected = c.before;
    for (const auto& [name, bytes] : c.written) {
        expected[name] = bytes;
        EXPECT_EQ(readFile(dir / name), bytes) << name;
    }
    std::set<std::string> names;  // what the run directory itself holds
    for (const auto& [name, bytes] : expected) {
        names.insert(name.substr(0, name.find('/')));
        if (mtimes.count(name) != 0 && c.written.count(name) == 0) {
            EXPECT_EQ(readFile(dir / name), bytes) << name << " changed";
            EXPECT_EQ(fs::last_write_time(dir / name), mtimes[name]) << name << " touched";
        }
    }
    EXPECT_EQ(listDir(dir.path()), std::vector<std::string>(names.begin(), names.end()));
}

INSTANTIATE_TEST_SUITE_P(Runs, Tool, testing::ValuesIn(cases()),
                         [](const auto& p) { return std::string(p.param.name); });

// With both streams on one file, the lines come in the order they were printed.
TEST(ToolStreams, OneFileKeepsThePrintingOrder) {
    TempDir dir;
    writeFile(dir / "take.wav", simpleWav(kStereo16, kData));
    fs::create_directory(dir / "take001.wav");
    const ToolRun r = runTool(dir.path(), {"take.wav", "10"}, true);
    EXPECT_EQ(r.out, mergedCutFailingAtSecondPiece());
    EXPECT_EQ(r.status, 255);
}

}  // namespace
