#pragma once
// Table index from a position or number that the caller knows is not
// negative: the fixed tables are std::arrays indexed by size_t.

#include <cstddef>

namespace quintora::base {

constexpr std::size_t at(int i) { return static_cast<std::size_t>(i); }

}  // namespace quintora::base
