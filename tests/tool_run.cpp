#include "tool_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

ToolRun runTool(const std::string& cwd, const std::vector<std::string>& args, bool merged,
                const std::function<void()>& inChild) {
    TempDir capture;
    const std::string outPath = capture / "out";
    const std::string errPath = merged ? outPath : capture / "err";
    // WAVSLICE_TOOL names a program to run in place of the built tool, such as a wrapper
    // that runs the Windows build under Wine.
    const char* tool = std::getenv("WAVSLICE_TOOL");
    const char* exe = tool != nullptr && *tool != '\0' ? tool : WAVSLICE_EXE;
    std::vector<char*> argv{const_cast<char*>(exe)};
    for (const auto& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = merged ? out : open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || chdir(cwd.c_str()) != 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) {
            _exit(127);
        }
        if (inChild) {
            inChild();
        }
        execv(exe, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ToolRun r{WIFEXITED(status) ? WEXITSTATUS(status) : -1000, readFile(outPath), ""};
    if (!merged) {
        r.err = readFile(errPath);
    }
    return r;
}

Bytes progress(const std::string& input, const std::string& piece, int first, int end,
               int seconds) {
    char range[64];
    std::snprintf(range, sizeof range, "%3d - %3d (%dsec).", first, end, seconds);
    return "\n" + input + T(" を ") + piece + T("へ変換しました, ") + range;
}

Bytes reportOut(const std::string& input, const Fmt& f) {
    return "\n" + input + " :\n" + fmtReport(f) + T("\"LIST\"の長さ: 26 [bytes]\n\n");
}
Bytes reportErr(std::size_t dataBytes) {
    return T("\"fmt \"の長さ: 16 [bytes]\n\n\n\"data\" の長さ: " + std::to_string(dataBytes) +
             " [bytes]\n");
}

Bytes piece(const Fmt& f, const Bytes& data, std::size_t start, std::size_t length) {
    return pieceHeader(f, static_cast<std::uint32_t>(length)) + data.substr(start, length);
}

Bytes progressAtTen(const std::string& input, const std::string& base) {
    return progress(input, base + "000.wav", 0, 9, 10) +
           progress(input, base + "001.wav", 10, 19, 10) +
           progress(input, base + "002.wav", 20, 25, 5);
}

std::map<std::string, Bytes> piecesAtTen(const std::string& base, const Bytes& data) {
    return {{base + "000.wav", piece(kStereo16, data, 0, 320)},
            {base + "001.wav", piece(kStereo16, data, 320, 320)},
            {base + "002.wav", piece(kStereo16, data, 640, 160)}};
}

void expectFiles(const std::string& dir, const std::map<std::string, Bytes>& files) {
    for (const auto& [name, bytes] : files) {
        std::string path = dir;
        path += '/';
        path += name;
        EXPECT_EQ(readFile(path), bytes) << name;
    }
}

Bytes mergedCutFailingAtSecondPiece() {
    return "\ntake.wav :\n" + T("\"fmt \"の長さ: 16 [bytes]\n\n") + fmtReport(kStereo16) +
           T("\"LIST\"の長さ: 26 [bytes]\n\n") + T("\n\"data\" の長さ: 812 [bytes]\n") +
           progress("take.wav", "take000.wav", 0, 9, 10) + "take001.wav" +
           T(" をオープンできません.\n");
}
