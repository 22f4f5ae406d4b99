// The "optimal.inp" reader on arbitrary bytes: it must refuse cleanly or
// accept a table on which the fast cost and the plain rule agree.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include "optimiser/cost.h"
#include "optimiser/exchange_files.h"
#include "optimiser/report.h"

using namespace quintora::optimiser;

namespace {

void check_order(const PairingTable& table, const RoundSequence& order) {
  static CostWorkspace work;
  static MarkTable marks;
  TeamCounts fast{};
  TeamCounts slow{};
  const double expected = evaluate_order_reference(order, table, marks, slow);
  if (evaluate_order(order, table, work, fast) != expected || fast != slow) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const InputReadResult in = read_pairing_table(text);
  if (in.status != InputStatus::Ok) {
    if (in.message.empty() || in.rounds_read > max_rounds) std::abort();
    return 0;
  }
  const PairingTable& table = in.table;
  RoundSequence forward;
  RoundSequence backward;
  for (int p = 0; p < table.nv; ++p) {
    forward.round[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(p + 1);
    backward.round[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(table.nv - p);
  }
  check_order(table, forward);
  check_order(table, backward);
  std::ostringstream report;
  write_round_codes(report, forward, table);
  write_alternation_diagnostics(report, backward, table);
  return 0;
}
