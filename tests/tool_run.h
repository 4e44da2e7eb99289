// Runs the built tool as a child process, and the pieces it leaves for simple inputs.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support.h"

struct ToolRun {
    int status;  // the exit status, or -1000 if the tool did not exit normally
    Bytes out;
    Bytes err;
};

// Runs the tool in `cwd` with `args`. With `merged`, both streams go to one file, `out`.
// The environment variable WAVSLICE_TOOL, when set, names the program to run instead.
// `inChild`, when given, runs in the child just before the tool starts (limits, signals).
ToolRun runTool(const std::string& cwd, const std::vector<std::string>& args, bool merged = false,
                const std::function<void()>& inChild = {});

// A piece holding `length` bytes of `data` from `start`.
Bytes piece(const Fmt& f, const Bytes& data, std::size_t start, std::size_t length);

// The three pieces, by name, of a 25-second take of kStereo16 `data` cut at 10 seconds into
// pieces named after `base`.
std::map<std::string, Bytes> piecesAtTen(const std::string& base, const Bytes& data);
// Compares each of `files` with the file of that name in `dir`.
void expectFiles(const std::string& dir, const std::map<std::string, Bytes>& files);
