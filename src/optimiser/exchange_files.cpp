#include "optimiser/exchange_files.h"

#include <fstream>
#include <system_error>

#include "base/atomic_file.h"
#include "base/numbers.h"
#include "optimiser/cost.h"
#include "optimiser/file_names.h"

namespace quintora::optimiser {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Free-form integers, line by line, with the line number for messages.
class IntegerReader {
 public:
  explicit IntegerReader(std::string_view text) : text_(text) {}

  // Reads `count` integers starting on the next line. On failure `error`
  // says why.
  bool read_record(long long* values, int count, std::string& error) {
    if (!next_line()) {
      if (count == 0) return true;  // an empty record needs no line
      error = "ENDS EARLY";
      return false;
    }
    int got = 0;
    while (got < count) {
      std::string_view token;
      if (!next_token(token)) {
        if (!next_line()) {
          error = "ENDS EARLY";
          return false;
        }
        continue;
      }
      if (!to_integer(token, values[got])) {
        error = "LINE " + std::to_string(line_number_) + ": \"" + printable(token) + "\" IS NOT AN INTEGER";
        return false;
      }
      ++got;
    }
    return true;
  }

 private:
  bool next_line() {
    if (position_ >= text_.size()) return false;
    const std::size_t end = text_.find('\n', position_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    line_ = text_.substr(position_, stop - position_);
    position_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++line_number_;
    return true;
  }

  bool next_token(std::string_view& token) {
    std::size_t i = 0;
    while (i < line_.size() && is_blank(line_[i])) ++i;
    if (i == line_.size()) {
      line_ = {};
      return false;
    }
    std::size_t j = i;
    while (j < line_.size() && !is_blank(line_[j])) ++j;
    token = line_.substr(i, j - i);
    line_ = line_.substr(j);
    return true;
  }

  static bool to_integer(std::string_view token, long long& value) {
    const base::ScannedInteger number = base::scan_integer(token, 0, 999999999999999999LL);
    if (!number.found || number.too_large || number.end != token.size()) return false;
    value = number.value;
    return true;
  }

  static std::string printable(std::string_view token) {
    std::string text;
    for (char c : token.substr(0, 20)) {
      const auto u = static_cast<unsigned char>(c);
      text += (u >= 0x20 && u < 0x7f && c != '"') ? c : '?';
    }
    if (token.size() > 20) text += "...";
    return text;
  }

  std::string_view text_;
  std::size_t position_ = 0;
  std::string_view line_;
  int line_number_ = 0;
};

InputReadResult failed(InputReadResult result, InputStatus status, const std::string& why) {
  result.status = status;
  result.message = "BAD INPUT FILE " + std::string(file::input) + ": " + why;
  return result;
}

}  // namespace

namespace {

// The four header values: team count, NV, pairings per round, mode. An
// empty message when they describe a single round-robin the tables hold.
std::string check_header(InputReadResult& result) {
  const long long n = result.header[0];
  const long long nv = result.header[1];
  const long long m = result.header[2];
  const long long mode = result.header[3];
  if (nv > max_rounds) {
    result.status = InputStatus::TooManyRounds;
    return "NV MUST BE LESS THAN OR EQUAL TO  99";
  }
  if (n < 2 || n > max_teams_with_dummy || n % 2 != 0) {
    return "TEAM COUNT " + std::to_string(n) + " MUST BE EVEN, FROM 2 TO 100";
  }
  if (nv != n - 1) return "NV " + std::to_string(nv) + " MUST BE TEAM COUNT - 1 = " + std::to_string(n - 1);
  // An odd league leaves the dummy's pairing out of every round.
  const long long expected_m = mode == odd_league_mode ? n / 2 - 1 : n / 2;
  if (m != expected_m) {
    return "PAIRINGS PER ROUND " + std::to_string(m) + " MUST BE " + std::to_string(expected_m);
  }
  PairingTable& table = result.table;
  table.n_team_even = static_cast<int>(n);
  table.nv = static_cast<int>(nv);
  table.m = static_cast<int>(m);
  table.mode = static_cast<int>(mode);
  return {};
}

// The round lines: each a set of distinct teams, and no pair met twice over
// the table. An empty message when every round was read and accepted.
std::string read_rounds(IntegerReader& reader, InputReadResult& result) {
  PairingTable& table = result.table;
  const int highest_team = table.mode == odd_league_mode ? table.n_team_even - 1 : table.n_team_even;
  std::array<std::array<bool, max_teams_with_dummy + 1>, max_teams_with_dummy + 1> met{};
  std::array<long long, 2 * max_pairings> values{};
  std::string error;
  for (int r = 0; r < table.nv; ++r) {
    const std::string round_name = "ROUND " + std::to_string(r + 1);
    if (!reader.read_record(values.data(), 2 * table.m, error)) return round_name + " " + error;
    std::array<bool, max_teams_with_dummy + 1> seen{};
    for (int i = 0; i < 2 * table.m; ++i) {
      const long long team = values[static_cast<std::size_t>(i)];
      if (team < 1 || team > highest_team) {
        return round_name + ": TEAM " + std::to_string(team) + " NOT IN 1.." + std::to_string(highest_team);
      }
      if (seen[static_cast<std::size_t>(team)])
        return round_name + ": TEAM " + std::to_string(team) + " PLAYS TWICE";
      seen[static_cast<std::size_t>(team)] = true;
    }
    for (int k = 0; k < table.m; ++k) {
      const auto a = static_cast<std::size_t>(values[static_cast<std::size_t>(2 * k)]);
      const auto b = static_cast<std::size_t>(values[static_cast<std::size_t>(2 * k + 1)]);
      if (met[a][b]) {
        return round_name + ": TEAMS " + std::to_string(a) + " AND " + std::to_string(b) + " MEET AGAIN";
      }
      met[a][b] = met[b][a] = true;
      table.first[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(a);
      table.second[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(b);
    }
    result.rounds_read = r + 1;
  }
  return {};
}

}  // namespace

InputReadResult read_pairing_table(std::string_view text) {
  InputReadResult result;
  IntegerReader reader(text);
  std::string error;
  if (!reader.read_record(result.header.data(), 4, error)) {
    return failed(std::move(result), InputStatus::BadInput, "HEADER " + error);
  }
  result.header_read = true;
  if (std::string problem = check_header(result); !problem.empty()) {
    if (result.status == InputStatus::TooManyRounds) {
      result.message = std::move(problem);
      return result;
    }
    return failed(std::move(result), InputStatus::BadInput, problem);
  }
  if (std::string problem = read_rounds(reader, result); !problem.empty()) {
    return failed(std::move(result), InputStatus::BadInput, problem);
  }
  // M distinct teams of the n-1 real ones of an odd league leave exactly one
  // out of every round, and no pair meets twice: each team has one bye.
  index_pairings(result.table);
  result.status = InputStatus::Ok;
  return result;
}

bool write_round_order(const std::filesystem::path& file, const RoundSequence& order, int nv) {
  std::string text;
  for (int p = 0; p < nv; ++p) {
    text += ' ';
    text += std::to_string(order.round[static_cast<std::size_t>(p)]);
    text += '\n';
  }
  // Never half an order: the caller would read it as a whole.
  return base::write_file_atomically(file, base::with_platform_line_ends(text)) == base::WriteStatus::Ok;
}

}  // namespace quintora::optimiser
