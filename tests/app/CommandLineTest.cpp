#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

using Options = std::map<std::string, int32_t>;

TEST(CommandLineTest, PairsFlagsAndTheirOddCases) {
    const std::pair<const char*, Options> cases[] = {
        {"/world=3 /stage=2", {{"world", 3}, {"stage", 2}}},
        {"/world", {{"world", 1}}},      // a flag
        {"/world= 7 ", {{"world", 7}}},  // values are trimmed
        {"/world=\"7\"", {}},            // text values are ignored
        {"/world=   ", {}},
        // integers are read from the start of the value, digits after a second '=' too
        {"/a=-4x /b=+2 /c=abc /d=12=5", {{"a", -4}, {"b", 2}, {"c", 0}, {"d", 125}}},
        {"/big=99999999999999999999", {{"big", INT32_MAX}}},
        {"/world=1 /world=2", {{"world", 2}}},  // the later value wins
        {"/world =5", {{"world ", 5}}},         // keys keep their spaces
        {"junk /world=4", {{"", 0}, {"world", 4}}},
        {"", {}},
    };
    for (const auto& [line, expected] : cases) {
        EXPECT_EQ(ParseCommandLine(line), expected) << line;
    }
}

}  // namespace
