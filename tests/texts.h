// The tool's texts as the tests expect them, in this build's character set: one spelling
// for the unit, end-to-end and Windows tests alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "support.h"

// --- Messages --------------------------------------------------------------------------------
Bytes usageText();
// The header reader's: the input cannot be opened.
Bytes inputOpenFailedText(const std::string& path);
// The piece writer's: a piece, or the input for a piece, cannot be opened.
Bytes cannotOpenText(const std::string& name);
Bytes headerWriteFailedText(const std::string& pieceName);
Bytes copyFailedText();
Bytes refusedLengthText();
Bytes readFailedText(std::int64_t position);
Bytes noWaveText();
Bytes notRiffText();
Bytes noFmtChunkText();
Bytes noDataChunkText();
Bytes notStereoText(unsigned channels);
Bytes notPcmText(const std::string& hexTag);

// --- The report --------------------------------------------------------------------------------
Bytes fmtLengthLine(std::uint32_t size);
Bytes dataLengthLine(std::uint32_t size);
Bytes otherLengthLine(const Bytes& id, std::uint32_t size);
// The six lines on a "fmt " payload.
Bytes fmtReport(const Fmt& f);
// What the report prints on standard output and standard error for a simpleWav file.
Bytes reportOut(const std::string& input, const Fmt& f);
Bytes reportErr(std::uint32_t dataBytes);

// --- Progress ------------------------------------------------------------------------------------
Bytes progress(const std::string& input, const std::string& piece, int first, int end, int seconds);
// The three lines of a 25-second take cut at 10 seconds into pieces named after `base`.
Bytes progressAtTen(const std::string& input, const std::string& base);
// Both streams in one file, in the order printed, of that cut of take.wav when take001.wav
// cannot be created.
Bytes mergedCutFailingAtSecondPiece();
