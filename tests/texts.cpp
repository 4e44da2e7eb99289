#include "texts.h"

#include <cstdio>

Bytes usageText() {
    return T(
        "ステレオ wav ファイルから必要な部分を取り出す\n\n"
        "引数に <入力ファイル名> <一個の秒> を指定してください.\n\n"
        "例 : wavslice  in.wav 10\n");
}

Bytes inputOpenFailedText(const std::string& path) {
    return " " + path + T("をオープンできません.\n");
}

Bytes cannotOpenText(const std::string& name) {
    return name + T(" をオープンできません.\n");
}

Bytes headerWriteFailedText(const std::string& pieceName) {
    return T("ヘッダを書き込めません: ") + pieceName + "\n";
}

Bytes copyFailedText() {
    return T("wavDataWriteでエラー発生.\n");
}

Bytes refusedLengthText() {
    return T("1秒以下の分割には対応しません.\n");
}

Bytes readFailedText(std::int64_t position) {
    return " " + std::to_string(position) + T(" で読み込み失敗.\n");
}

Bytes noWaveText() {
    return T("'WAVE' が無い.\n");
}

Bytes notRiffText() {
    return T("'RIFF' フォーマットでない.\n");
}

Bytes noFmtChunkText() {
    return T("'fmt ' チャンクが無い.\n");
}

Bytes noDataChunkText() {
    return T("'data' チャンクが無い.\n");
}

Bytes notStereoText(unsigned channels) {
    return T(
        "\nこのプログラムはステレオのファイルを対象とします.\n"
        "このwavファイルのチャンネル数は " +
        std::to_string(channels) + " です．\n");
}

Bytes notPcmText(const std::string& hexTag) {
    return T(
        "\nこのプログラムは無圧縮PCMのみを対象とします.\n"
        "このwavファイルの形式は " +
        hexTag + " です．\n");
}

Bytes fmtLengthLine(std::uint32_t size) {
    return T("\"fmt \"の長さ: " + std::to_string(size) + " [bytes]\n\n");
}

Bytes dataLengthLine(std::uint32_t size) {
    return T("\n\"data\" の長さ: " + std::to_string(size) + " [bytes]\n");
}

Bytes otherLengthLine(const Bytes& id, std::uint32_t size) {
    return "\"" + id + T("\"の長さ: " + std::to_string(size) + " [bytes]\n\n");
}

Bytes fmtReport(const Fmt& f) {
    return T("             データ形式: " + std::to_string(f.formatTag) + " (1 = PCM)\n" +
             "           チャンネル数: " + std::to_string(f.channels) + "\n" +
             "     サンプリング周波数: " + std::to_string(f.sampleRate) + " [Hz]\n" +
             "          バイト数 / 秒: " + std::to_string(f.bytesPerSecond) + " [bytes/sec]\n" +
             " バイト数×チャンネル数: " + std::to_string(f.blockAlign) + " [bytes]\n" +
             "    ビット数 / サンプル: " + std::to_string(f.bitsPerSample) + " [bits/sample]\n");
}

Bytes reportOut(const std::string& input, const Fmt& f) {
    return "\n" + input + " :\n" + fmtReport(f) + otherLengthLine("LIST", 26);
}

Bytes reportErr(std::uint32_t dataBytes) {
    return fmtLengthLine(16) + dataLengthLine(dataBytes);
}

Bytes progress(const std::string& input, const std::string& piece, int first, int end,
               int seconds) {
    char range[64];
    std::snprintf(range, sizeof range, "%3d - %3d (%dsec).", first, end, seconds);
    return "\n" + input + T(" を ") + piece + T("へ変換しました, ") + range;
}

Bytes progressAtTen(const std::string& input, const std::string& base) {
    return progress(input, base + "000.wav", 0, 9, 10) +
           progress(input, base + "001.wav", 10, 19, 10) +
           progress(input, base + "002.wav", 20, 25, 5);
}

Bytes mergedCutFailingAtSecondPiece() {
    return "\ntake.wav :\n" + fmtLengthLine(16) + fmtReport(kStereo16) +
           otherLengthLine("LIST", 26) + dataLengthLine(812) +
           progress("take.wav", "take000.wav", 0, 9, 10) + cannotOpenText("take001.wav");
}
