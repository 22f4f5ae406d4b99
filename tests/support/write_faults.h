#pragma once
// Failures of the atomic writer that a test cannot make for real.

#include <string>
#include <utility>

#include "base/atomic_file.h"

namespace quintora::test {

inline base::WriteFaults write_faults(int create_error, long long room = -1, bool rename_fails = false,
                                      std::string first_suffix = {}) {
  base::WriteFaults faults;
  faults.create_error = create_error;
  faults.room = room;
  faults.rename_fails = rename_fails;
  faults.first_suffix = std::move(first_suffix);
  return faults;
}

}  // namespace quintora::test
