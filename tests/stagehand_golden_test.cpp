// The animator's console dialogue, each case run through the real binary with its answers on
// standard input, up to the point where the program ends before its main loop.
#include <gtest/gtest.h>

#include "golden.h"

class Animateur : public testing::TestWithParam<std::string> {};

TEST_P(Animateur, Dialogue) {
    EXPECT_EQ(golden::verifier(std::filesystem::path(CAS_STAGEHAND) / GetParam(), STAGEHAND), "");
}

INSTANTIATE_TEST_SUITE_P(Cas, Animateur, testing::ValuesIn(golden::cas(CAS_STAGEHAND)),
                         [](const auto &info) { return info.param; });
