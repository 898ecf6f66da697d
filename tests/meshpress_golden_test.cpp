// The converter's golden cases, each run through the real binary on its console.
#include <gtest/gtest.h>

#include "golden.h"

class Convertisseur : public testing::TestWithParam<std::string> {};

TEST_P(Convertisseur, SortieEtConsole) {
    EXPECT_EQ(golden::verifier(std::filesystem::path(CAS_MESHPRESS) / GetParam(), MESHPRESS), "");
}

INSTANTIATE_TEST_SUITE_P(Cas, Convertisseur, testing::ValuesIn(golden::cas(CAS_MESHPRESS)),
                         [](const auto &info) { return info.param; });
