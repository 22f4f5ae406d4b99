#include "schedule/optimiser_exchange.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "schedule/text_format.h"

namespace quintora::schedule {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// One decimal integer after white space, with an optional sign. Values too
// large for the table are reported as -1, which no round number can be.
bool next_integer(std::string_view text, std::size_t& pos, long& value) {
  while (pos < text.size() && is_blank(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::size_t digits = pos;
  long v = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    if (v < 1000000) v = v * 10 + (text[pos] - '0');
    ++pos;
  }
  if (pos == digits) return false;
  value = negative ? -v : v;
  return true;
}

}  // namespace

std::string optimiser_input_text(const RoundTable& table) {
  std::string out;
  append_format(out, "%d  %d  %d  %d\n", table.n_team_even, table.nweek, table.nmatch - table.odd + 1, table.odd);
  for (int r = 1; r <= table.nweek; ++r) {
    for (int s = table.odd; s <= table.nmatch; ++s) {
      append_format(out, "%d %d  ", table.A[at(s)][at(r)], table.B[at(s)][at(r)]);
    }
    out += '\n';
  }
  return out;
}

ExchangeResult write_optimiser_input(const std::filesystem::path& path, const RoundTable& table) {
  const std::string text = optimiser_input_text(table);
  std::ofstream file(path);  // text mode: the platform's own line ends
  if (!file) return ExchangeResult::NotWritable;
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  return file ? ExchangeResult::Ok : ExchangeResult::NotWritable;
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
