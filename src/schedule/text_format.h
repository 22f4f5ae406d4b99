#pragma once
// Small helpers shared by the files of the schedule that index the fixed
// tables and write formatted text.

#include <cstddef>
#include <cstdio>
#include <string>

#include "base/index.h"

namespace quintora::schedule {

using base::at;

// Appends printf-formatted text; the formats used here are short fixed fields.
template <typename... Args>
void append_format(std::string& out, const char* format, Args... args) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, format, args...);
  if (n > 0)
    out.append(buffer,
               static_cast<std::size_t>(n) < sizeof buffer ? static_cast<std::size_t>(n) : sizeof buffer - 1);
}

}  // namespace quintora::schedule
