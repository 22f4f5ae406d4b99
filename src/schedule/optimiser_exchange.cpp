#include "schedule/optimiser_exchange.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "base/atomic_file.h"
#include "base/numbers.h"
#include "schedule/text_format.h"

namespace quintora::schedule {

namespace {

// One decimal integer after white space, with an optional sign. Values too
// large for the table saturate, and no round number is that large.
bool next_integer(std::string_view text, std::size_t& pos, long& value) {
  const base::ScannedInteger number = base::scan_integer(text, base::skip_white(text, pos), 1000000);
  if (!number.found) return false;
  pos = number.end;
  value = static_cast<long>(number.value);
  return true;
}

}  // namespace

std::string optimiser_input_text(const RoundTable& table) {
  std::string out;
  append_format(out, "%d  %d  %d  %d\n", table.n_team_even, table.nweek,
                table.nmatch - table.first_real_slot + 1, table.first_real_slot);
  for (int r = 1; r <= table.nweek; ++r) {
    for (int s = table.first_real_slot; s <= table.nmatch; ++s) {
      append_format(out, "%d %d  ", table.A[at(s)][at(r)], table.B[at(s)][at(r)]);
    }
    out += '\n';
  }
  return out;
}

ExchangeResult write_optimiser_input(const std::filesystem::path& path, const RoundTable& table) {
  const std::string text = base::with_platform_line_ends(optimiser_input_text(table));
  return base::write_file_atomically(path, text) == base::WriteStatus::Ok ? ExchangeResult::Ok
                                                                          : ExchangeResult::NotWritable;
}

ExchangeResult parse_round_order(std::string_view text, int nweek, RoundOrder& order) {
  if (nweek < 1 || nweek > max_rounds) return ExchangeResult::Malformed;
  RoundOrder read;
  std::array<bool, max_rounds + 1> seen{};
  std::size_t pos = 0;
  for (int k = 1; k <= nweek; ++k) {
    long value = 0;
    if (!next_integer(text, pos, value)) return ExchangeResult::Malformed;
    if (value < 1 || value > nweek || seen[at(static_cast<int>(value))]) return ExchangeResult::Malformed;
    seen[at(static_cast<int>(value))] = true;
    read.round[at(k)] = static_cast<int>(value);
  }
  order = read;
  return ExchangeResult::Ok;
}

ExchangeResult read_round_order(const std::filesystem::path& path, int nweek, RoundOrder& order) {
  std::ifstream file(path);
  if (!file) return ExchangeResult::NotReadable;
  // The order fills at most 99 short lines; reading stops well past that, so
  // a runaway file cannot exhaust memory, and what follows is ignored anyway.
  std::string text;
  char buffer[4096];
  while (text.size() < (std::size_t{1} << 20) && (file.read(buffer, sizeof buffer) || file.gcount() > 0)) {
    text.append(buffer, static_cast<std::size_t>(file.gcount()));
  }
  if (file.bad()) return ExchangeResult::NotReadable;
  return parse_round_order(text, nweek, order);
}

}  // namespace quintora::schedule
