#pragma once
// The round-order optimiser. It shares nothing with its caller but the files
// in `folder`: it reads "optimal.inp", writes the report "ZORAV.OUT" and the
// chosen order "optimal.out", and writes its progress lines to `out`.

#include <filesystem>
#include <ostream>
#include <string>

namespace quintora::optimiser {

enum class ZoravStatus {
  Ok,
  InputMissing,        // "CANNOT FIND INPUT FILE: ZORAV.INP"
  ReportNotCreatable,  // "CANNOT CREATE OUTPUT FILE: ZORAV.OUT"
  StoreNotCreatable,   // "ERROR IN ZORAV 1, CANNOT CREATE TEMP FILE"
  TooManyRounds,       // "NV MUST BE LESS THAN OR EQUAL TO  99"
  BadInput,            // malformed or inconsistent "optimal.inp"
  OutputNotWritable,   // "optimal.out" could not be written
  ReportNotWritable,   // "ZORAV.OUT" could not be written completely
};

struct ZoravResult {
  ZoravStatus status = ZoravStatus::Ok;
  std::string message;  // on failure: what was written before the stop text
  long evaluations = 0;
};

// effort: 2, 3 or 4 (anything else behaves as 2).
ZoravResult ZORAV(const std::filesystem::path& folder, int effort, std::ostream& out);

}  // namespace quintora::optimiser
