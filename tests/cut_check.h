// Checks of the reader's verdict and of the pieces the splitter leaves, worked out from the
// input bytes independently of the tool's plan. Shared by the fuzz targets and by the test
// that replays their findings. Each returns an empty string when all holds, otherwise what
// broke.
#pragma once

#include <string>

#include "wav/wav_info.h"

// An accepted header: stereo 8/16-bit, a non-zero byte rate of whole frames, and a data
// position inside the input just after a "data" chunk header of the recorded length.
std::string acceptedHeaderCheck(const std::string& input, const WavInfo& info);

// Writes `input` as in.wav in the current directory, runs the reader and the splitter on it
// as the tool does, checks the verdict and every piece, then removes every file in the
// directory. The piece length comes from the RIFF size field, which the reader never uses,
// so a fuzzer can steer it; it is raised where needed so that at most 64 pieces are due.
std::string cutAndCheck(const std::string& input);
