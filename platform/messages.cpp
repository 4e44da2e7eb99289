#include "platform/messages.h"

#include <cstdarg>
#include <cstdio>

#include "platform/console.h"

namespace {

#if defined(__GNUC__)
#define WAVSLICE_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define WAVSLICE_PRINTF(fmt, args)
#endif

void out(const char* format, ...) WAVSLICE_PRINTF(1, 2);
void err(const char* format, ...) WAVSLICE_PRINTF(1, 2);

void out(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stdout, format, args);
    va_end(args);
}

void err(const char* format, ...) {
    std::fflush(stdout);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    // Standard error is not unbuffered everywhere: Windows C runtimes may hold part of it
    // back when it goes to a file, and it would then land after later standard output.
    std::fflush(stderr);
}

}  // namespace

void msgUsage() {
    err("ステレオ wav ファイルから必要な部分を取り出す\n\n"
        "引数に <入力ファイル名> <一個の秒> を指定してください.\n\n"
        "例 : wavslice  in.wav 10\n");
}

void msgInputOpenFailed(const char* path) {
    err(" %sをオープンできません.\n", consoleName(path).c_str());
}

void msgPathLine(const char* path) {
    out("\n%s :\n", consoleName(path).c_str());
}

void msgRiffReadFailed(std::int64_t position) {
    err(" %lld で読み込み失敗.\n", static_cast<long long>(position));
}

void msgNoWave() {
    err("'WAVE' が無い.\n");
}

void msgNotRiff() {
    err("'RIFF' フォーマットでない.\n");
}

// Chunk sizes are unsigned 32-bit: 4294967295 must not print as -1.
void msgFmtLength(std::uint32_t size) {
    err("\"fmt \"の長さ: %lu [bytes]\n\n", static_cast<unsigned long>(size));
}

void msgDataLength(std::uint32_t size) {
    err("\n\"data\" の長さ: %lu [bytes]\n", static_cast<unsigned long>(size));
}

void msgOtherChunkLength(const unsigned char id[4], std::uint32_t size) {
    out("\"%c%c%c%c\"の長さ: %lu [bytes]\n\n", id[0], id[1], id[2], id[3],
        static_cast<unsigned long>(size));
}

// The labels are padded so that, with each Japanese character two bytes wide in Shift-JIS,
// every colon is the 24th byte of its line.
void msgFmtReport(unsigned formatTag, unsigned channels, std::uint32_t sampleRate,
                  std::uint32_t bytesPerSecond, unsigned blockAlign, unsigned bitsPerSample) {
    out("             データ形式: %u (1 = PCM)\n", formatTag);
    out("           チャンネル数: %u\n", channels);
    out("     サンプリング周波数: %lu [Hz]\n", static_cast<unsigned long>(sampleRate));
    out("          バイト数 / 秒: %lu [bytes/sec]\n", static_cast<unsigned long>(bytesPerSecond));
    out(" バイト数×チャンネル数: %u [bytes]\n", blockAlign);
    out("    ビット数 / サンプル: %u [bits/sample]\n", bitsPerSample);
}

void msgNotStereo(unsigned channels) {
    err("\nこのプログラムはステレオのファイルを対象とします.\n");
    err("このwavファイルのチャンネル数は %u です．\n", channels);
}

void msgNotPcm(unsigned formatTag) {
    err("\nこのプログラムは無圧縮PCMのみを対象とします.\n");
    err("このwavファイルの形式は %04X です．\n", formatTag);
}

void msgNotBits8or16(unsigned bitsPerSample) {
    err("\nこのプログラムは8/16ビットサンプリングされたものを対象とします\n");
    err("このwavファイルの bits/secは %u です．\n", bitsPerSample);
}

void msgByteRateNotWholeFrames(std::uint32_t bytesPerSecond) {
    err("\nこのプログラムはバイト数 / 秒がフレームの整数倍のものを対象とします.\n");
    err("このwavファイルのバイト数 / 秒は %lu です．\n",
        static_cast<unsigned long>(bytesPerSecond));
}

void msgNoFmtChunk() {
    err("'fmt ' チャンクが無い.\n");
}

void msgNoDataChunk() {
    err("'data' チャンクが無い.\n");
}

void msgPieceLengthRefused() {
    err("1秒以下の分割には対応しません.\n");
}

// Starts with a line feed and ends without one, so the last line of a run is unterminated.
void msgPieceDone(const char* inputPath, const char* pieceName, std::int32_t startSecond,
                  std::int32_t endSecond, std::int32_t seconds) {
    out("\n%s を %sへ変換しました, %3d - %3d (%dsec).", consoleName(inputPath).c_str(),
        consoleName(pieceName).c_str(), startSecond, endSecond, seconds);
    // Long takes: show each piece as it is done rather than when the next one starts.
    std::fflush(stdout);
}

void msgCannotOpen(const char* path) {
    err("%s をオープンできません.\n", consoleName(path).c_str());
}

void msgHeaderWriteFailed(const char* pieceName) {
    err("ヘッダを書き込めません: %s\n", consoleName(pieceName).c_str());
}

void msgDataWriteFailed() {
    err("wavDataWriteでエラー発生.\n");
}
