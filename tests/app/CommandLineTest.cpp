#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using Options = std::map<std::string, int32_t>;

TEST(CommandLineTest, PairsAndFlags) {
    EXPECT_EQ(ParseCommandLine("/world=3 /stage=2"), (Options{{"world", 3}, {"stage", 2}}));
    EXPECT_EQ(ParseCommandLine("/world"), (Options{{"world", 1}}));
    EXPECT_EQ(ParseCommandLine("/stage=2").count("world"), 0u);
}

TEST(CommandLineTest, ValuesAreTrimmedAndTextValuesIgnored) {
    EXPECT_EQ(ParseCommandLine("/world= 7 "), (Options{{"world", 7}}));
    EXPECT_EQ(ParseCommandLine("/world=\"7\""), Options{});
    EXPECT_EQ(ParseCommandLine("/world=   "), Options{});
}

TEST(CommandLineTest, IntegersReadFromTheStartOfTheValue) {
    EXPECT_EQ(ParseCommandLine("/a=-4x /b=+2 /c=abc /d=12=5"), (Options{{"a", -4}, {"b", 2}, {"c", 0}, {"d", 125}}));
    EXPECT_EQ(ParseCommandLine("/big=99999999999999999999").at("big"), INT32_MAX);
}

TEST(CommandLineTest, LaterValueReplacesEarlierAndKeysKeepTheirSpaces) {
    EXPECT_EQ(ParseCommandLine("/world=1 /world=2"), (Options{{"world", 2}}));
    EXPECT_EQ(ParseCommandLine("/world =5").count("world "), 1u);
    EXPECT_EQ(ParseCommandLine("junk /world=4"), (Options{{"", 0}, {"world", 4}}));
    EXPECT_EQ(ParseCommandLine(""), Options{});
}

}  // namespace
