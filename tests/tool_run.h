// Runs the built tool as a child process, and the texts it prints for simple inputs.
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

// One progress line.
Bytes progress(const std::string& input, const std::string& piece, int first, int end, int seconds);
// What the report prints on standard output and standard error for a simpleWav file.
Bytes reportOut(const std::string& input, const Fmt& f);
Bytes reportErr(std::size_t dataBytes);
// A piece holding `length` bytes of `data` from `start`.
Bytes piece(const Fmt& f, const Bytes& data, std::size_t start, std::size_t length);

// A 25-second take of kStereo16 `data` cut at 10 seconds into pieces named after `base`:
// the three progress lines, and the three pieces by name.
Bytes progressAtTen(const std::string& input, const std::string& base);
std::map<std::string, Bytes> piecesAtTen(const std::string& base, const Bytes& data);
// Compares each of `files` with the file of that name in `dir`.
void expectFiles(const std::string& dir, const std::map<std::string, Bytes>& files);

// Both streams in one file, in the order printed, of that cut of take.wav when take001.wav
// cannot be created.
Bytes mergedCutFailingAtSecondPiece();
