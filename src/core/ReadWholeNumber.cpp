#include "core/ReadWholeNumber.h"

#include <charconv>

std::optional<int64_t> ReadWholeNumber(std::string_view text, int64_t min, int64_t max) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

std::string WholeNumberRange(int64_t min, int64_t max) {
    return "a whole number from " + std::to_string(min) + " to " + std::to_string(max);
}
