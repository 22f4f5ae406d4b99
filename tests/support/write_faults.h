#pragma once
// Failures of the atomic writer that a test cannot make for real.

#include <string>
#include <utility>

#include "base/atomic_file.h"

namespace quintora::test {

inline base::WriteFaults write_faults(int create_error, long long room = -1, bool rename_fails = false,
                                      std::string first_suffix = {}) {
  return {.create_error = create_error,
          .room = room,
          .rename_fails = rename_fails,
          .first_suffix = std::move(first_suffix)};
}

}  // namespace quintora::test
