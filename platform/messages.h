// Every text the tool prints, one function each. This is the only file whose literals go
// through the build's console character set (UTF-8, or Shift-JIS for code page 932).
// Paths and names are echoed as the bytes the user gave, but on Windows, where they travel
// as UTF-8, in code page 932 (consoleName).
//
// Messages to standard error flush standard output first and standard error after, so that
// both streams on one terminal, pipe or file keep the order in which the lines were printed.
#pragma once

#include <cstdint>

// Command line
void msgUsage();

// Header reader
void msgInputOpenFailed(const char* path);
void msgPathLine(const char* path);
void msgRiffReadFailed(std::int64_t position);
void msgNoWave();
void msgNotRiff();
void msgFmtLength(std::uint32_t size);
void msgDataLength(std::uint32_t size);
void msgOtherChunkLength(const unsigned char id[4], std::uint32_t size);
void msgFmtReport(unsigned formatTag, unsigned channels, std::uint32_t sampleRate,
                  std::uint32_t bytesPerSecond, unsigned blockAlign, unsigned bitsPerSample);
void msgNotStereo(unsigned channels);
void msgNotPcm(unsigned formatTag);
void msgNotBits8or16(unsigned bitsPerSample);
void msgByteRateNotWholeFrames(std::uint32_t bytesPerSecond);
void msgNoFmtChunk();
void msgNoDataChunk();

// Splitter
void msgPieceLengthRefused();
void msgPieceDone(const char* inputPath, const char* pieceName, std::int32_t startSecond,
                  std::int32_t endSecond, std::int32_t seconds);
void msgCannotOpen(const char* path);
void msgHeaderWriteFailed(const char* pieceName);
void msgDataWriteFailed();
