#include "tool_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

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
        // The tool gets exactly the standard descriptors, whatever this process inherited:
        // no capture file must be left open for a piece to miss or to land on, and tests of
        // descriptor limits count from 3.
        if (close_range(3, ~0u, 0) != 0) {
            for (int fd = 3; fd < 1024; ++fd) {
                close(fd);
            }
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

Bytes piece(const Fmt& f, const Bytes& data, std::size_t start, std::size_t length) {
    return pieceHeader(f, static_cast<std::uint32_t>(length)) + data.substr(start, length);
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
