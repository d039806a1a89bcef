#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A whole decimal number from a data file or the command line: an optional sign and digits,
// nothing else, within [min, max]. Anything else (no digits, a trailing "e2", a value that
// would wrap) gives nothing, so it is reported instead of read as something else.
std::optional<int64_t> ReadWholeNumber(std::string_view text, int64_t min, int64_t max);

// "a whole number from MIN to MAX", for the messages that refuse one.
std::string WholeNumberRange(int64_t min, int64_t max);
