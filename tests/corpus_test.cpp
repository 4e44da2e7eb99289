// Replays every input in tests/corpus/ (the fuzzers' findings) through the reader and the
// splitter, with the fuzz targets' checks.
#include <gtest/gtest.h>

#include <cctype>

#include "capture.h"
#include "cut_check.h"
#include "support.h"

namespace {

std::vector<std::string> corpusFiles() {
    std::vector<std::string> files;
    for (const auto& name : listDir(WAVSLICE_CORPUS_DIR)) {
        if (name != "README.md") {
            files.push_back(name);
        }
    }
    return files;
}

class Corpus : public testing::TestWithParam<std::string> {};

TEST_P(Corpus, ReadsAndCutsSoundly) {
    const Bytes input = readFile(std::string(WAVSLICE_CORPUS_DIR) + "/" + GetParam());
    TempDir dir;
    std::string failure;
    inDirectory(dir.path(), [&] {
        captureOutput([&] {
            failure = cutAndCheck(input);
            return 0;
        });
    });
    EXPECT_EQ(failure, "");
    EXPECT_TRUE(listDir(dir.path()).empty());
}

// The corpus may hold nothing yet.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Corpus);
INSTANTIATE_TEST_SUITE_P(Findings, Corpus, testing::ValuesIn(corpusFiles()), [](const auto& p) {
    std::string name = p.param;
    for (auto& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
});

}  // namespace
