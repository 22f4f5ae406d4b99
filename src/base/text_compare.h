#pragma once
// Comparison of names and titles with letter case ignored. Every name and
// title check goes through equal_ignoring_case, so "Café" and "CAFÉ" are the
// same bar on every machine, whatever the process locale says. Text is taken
// as UTF-8 and folded with a small built-in table of simple case folding;
// bytes that are not valid UTF-8 only equal the very same bytes.

#include <cstdint>
#include <string_view>

namespace quintora::base {

// The simple case folding of one code point. Values above the Unicode range
// stand for single bytes that are not valid UTF-8 and fold to themselves.
std::uint32_t fold_case(std::uint32_t code_point);

// True when a and b hold the same text with letter case ignored.
bool equal_ignoring_case(std::string_view a, std::string_view b);

// True when `text` holds `part` with letter case ignored; an empty part is
// in every text.
bool contains_ignoring_case(std::string_view text, std::string_view part);

}  // namespace quintora::base
