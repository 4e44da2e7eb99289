// Replays the fuzz targets' crafted seeds and every input in tests/corpus/ (their findings)
// through the reader and the splitter, with the fuzz targets' checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "capture.h"
#include "cut_check.h"
#include "support.h"

namespace {

struct Input {
    std::string name;  // for the test's name
    std::string path;  // cppcheck-suppress unusedStructMember ; read through GetParam()
};

std::vector<Input> replayed() {
    std::vector<Input> inputs;
    for (const auto& [prefix, dir] :
         {std::pair<std::string, std::string>{"seed_", WAVSLICE_SEEDS_DIR},
          {"finding_", WAVSLICE_CORPUS_DIR}}) {
        for (const auto& name : listDir(dir)) {
            if (name != "README.md") {
                std::string path = dir;
                path += '/';
                path += name;
                inputs.push_back({prefix + name, path});
            }
        }
    }
    return inputs;
}

// A replay with nothing to replay checks nothing: the seeds must be there.
TEST(CorpusReplay, HasInputs) {
    const auto inputs = replayed();
    const bool anySeed = std::any_of(inputs.begin(), inputs.end(), [](const Input& input) {
        return input.name.rfind("seed_", 0) == 0;
    });
    EXPECT_TRUE(anySeed) << "no seeds in " << WAVSLICE_SEEDS_DIR;
}

class Corpus : public testing::TestWithParam<Input> {};

TEST_P(Corpus, ReadsAndCutsSoundly) {
    const Bytes input = readFile(GetParam().path);
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

INSTANTIATE_TEST_SUITE_P(Replay, Corpus, testing::ValuesIn(replayed()), [](const auto& p) {
    std::string name = p.param.name;
    for (auto& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
});

}  // namespace
