#include "report/fairness.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/text.h"

namespace quintora::report {

namespace {

enum class Side { None, Home, Away };

bool in_range(int number, std::size_t count) {
  return number >= 1 && static_cast<std::size_t>(number) <= count;
}

std::size_t at(int number) { return static_cast<std::size_t>(number - 1); }

// ---- Text ----

// A name as a terminal shows it in one line: a control character (which could
// move the columns or start an escape sequence) and a byte that is not UTF-8
// become U+FFFD. Returns the characters it holds.
std::size_t append_printable(std::string& out, std::string_view name) {
  const std::string printable = base::without_control_characters(name);
  out += printable;
  // Valid UTF-8 now: every byte but a continuation byte begins a character.
  return static_cast<std::size_t>(std::count_if(printable.begin(), printable.end(), [](char b) {
    return (static_cast<unsigned char>(b) & 0xC0u) != 0x80u;
  }));
}

std::size_t printable_width(std::string_view name) {
  std::string ignored;
  return append_printable(ignored, name);
}

struct Column {
  std::string_view head;
  bool name = false;  // a name, left-aligned; numbers are right-aligned
};

// Columns two blanks apart, each as wide as its head or widest cell.
std::string table(const std::vector<Column>& columns, const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::size_t> width(columns.size());
  for (std::size_t c = 0; c < columns.size(); ++c) {
    width[c] = columns[c].head.size();
    for (const auto& row : rows) width[c] = std::max(width[c], printable_width(row[c]));
  }
  std::string out;
  const auto line = [&](const auto& cell_of) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (c > 0) out += "  ";
      std::string cell;
      const std::size_t characters = append_printable(cell, cell_of(c));
      const std::string padding(width[c] - characters, ' ');
      if (columns[c].name) {
        out += cell;
        // No blanks at the end of a line.
        if (c + 1 < columns.size()) out += padding;
      } else {
        out += padding;
        out += cell;
      }
    }
    out += '\n';
  };
  line([&](std::size_t c) { return columns[c].head; });
  for (const auto& row : rows) line([&](std::size_t c) { return std::string_view(row[c]); });
  return out;
}

// ---- JSON ----

// The name as the text report shows it (one scrub for both), quoted.
void append_json_string(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : base::without_control_characters(text)) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
}

// One object's members, two blanks deeper than the object itself.
class JsonObject {
 public:
  JsonObject(std::string& out, std::string_view indent) : out_(out), indent_(indent) { out_ += "{"; }
  void number(std::string_view key, int value) { member(key) += std::to_string(value); }
  void text(std::string_view key, std::string_view value) { append_json_string(member(key), value); }
  std::string& member(std::string_view key) {
    out_ += first_ ? "\n" : ",\n";
    first_ = false;
    out_ += indent_;
    out_ += "  \"";
    out_ += key;  // keys are plain ASCII
    out_ += "\": ";
    return out_;
  }
  void close() {
    out_ += '\n';
    out_ += indent_;
    out_ += '}';
  }

 private:
  std::string& out_;
  std::string_view indent_;
  bool first_ = true;
};

template <typename Line, typename Fill>
void json_array(std::string& out, const std::vector<Line>& lines, Fill fill) {
  if (lines.empty()) {
    out += "[]";
    return;
  }
  out += "[\n";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out += "    ";
    JsonObject object(out, "    ");
    fill(object, lines[i]);
    object.close();
    out += i + 1 < lines.size() ? ",\n" : "\n";
  }
  out += "  ]";
}

}  // namespace

Fairness assess(const season::Season& season) {
  Fairness fairness;
  const std::size_t n_team = season.teams.size();
  const std::size_t n_bar = season.bars.size();
  for (std::size_t t = 0; t < n_team; ++t) {
    TeamLine line;
    line.number = static_cast<int>(t + 1);
    line.name = season.teams[t].name;
    fairness.teams.push_back(std::move(line));
  }
  for (std::size_t b = 0; b < n_bar; ++b) {
    BarLine line;
    line.number = static_cast<int>(b + 1);
    line.name = season.bars[b].name;
    line.tables = season.bars[b].tables;
    fairness.bars.push_back(std::move(line));
  }

  // Each team's side in the last week it played, and how many weeks running.
  std::vector<Side> last(n_team, Side::None);
  std::vector<int> run(n_team, 0);
  std::vector<Side> side(n_team);
  std::vector<int> hosted(n_bar);
  for (const season::Week& week : season.weeks) {
    std::fill(side.begin(), side.end(), Side::None);
    std::fill(hosted.begin(), hosted.end(), 0);
    // A number outside the league (a season that is not consistent) is passed over.
    for (const season::Match& match : week.matches) {
      if (!in_range(match.home, n_team) || !in_range(match.away, n_team) || match.home == match.away)
        continue;
      side[at(match.home)] = Side::Home;
      side[at(match.away)] = Side::Away;
      ++fairness.teams[at(match.home)].home;
      ++fairness.teams[at(match.away)].away;
      const int bar = season.team(match.home).bar;
      if (in_range(bar, n_bar)) ++hosted[at(bar)];
    }
    if (in_range(week.not_playing, n_team)) ++fairness.teams[at(week.not_playing)].byes;

    for (std::size_t t = 0; t < n_team; ++t) {
      if (side[t] == Side::None) continue;  // a bye, or no match at all: skipped
      TeamLine& line = fairness.teams[t];
      if (side[t] == last[t]) {
        ++line.breaks;
        ++run[t];
      } else {
        run[t] = 1;
      }
      last[t] = side[t];
      int& longest = side[t] == Side::Home ? line.longest_home_run : line.longest_away_run;
      longest = std::max(longest, run[t]);
    }
    for (std::size_t b = 0; b < n_bar; ++b) {
      BarLine& line = fairness.bars[b];
      line.most_in_a_week = std::max(line.most_in_a_week, hosted[b]);
      if (hosted[b] > line.tables) ++line.weeks_over_tables;
    }
  }

  for (const TeamLine& line : fairness.teams) fairness.total_breaks += line.breaks;
  fairness.minimum_breaks =
      minimum_breaks(static_cast<int>(std::min<std::size_t>(n_team, INT_MAX)), season.rounds_per_pass,
                     static_cast<int>(std::min<std::size_t>(season.weeks.size(), INT_MAX)));
  return fairness;
}

int minimum_breaks(int n_team, int rounds_per_pass, int weeks) {
  if (n_team <= 1 || rounds_per_pass < 1 || weeks < rounds_per_pass) return 0;
  const long long k = weeks / rounds_per_pass;  // whole passes
  const long long n = n_team;
  const long long bound = n % 2 == 0 ? (2 * k - 1) * (n - 2) : (k - 1) * n;
  return static_cast<int>(std::min<long long>(bound, INT_MAX));
}

std::string as_text(const Fairness& fairness) {
  std::vector<std::vector<std::string>> rows;
  for (const TeamLine& t : fairness.teams) {
    rows.push_back({std::to_string(t.number), t.name, std::to_string(t.home), std::to_string(t.away),
                    std::to_string(t.byes), std::to_string(t.breaks), std::to_string(t.longest_home_run),
                    std::to_string(t.longest_away_run)});
  }
  std::string out = table({{"No."},
                           {"Team", true},
                           {"Home"},
                           {"Away"},
                           {"Byes"},
                           {"Breaks"},
                           {"Longest home run"},
                           {"Longest away run"}},
                          rows);
  rows.clear();
  for (const BarLine& b : fairness.bars) {
    rows.push_back({std::to_string(b.number), b.name, std::to_string(b.tables),
                    std::to_string(b.most_in_a_week), std::to_string(b.weeks_over_tables)});
  }
  out += '\n';
  out += table({{"No."}, {"Bar", true}, {"Tables"}, {"Most in a week"}, {"Weeks over tables"}}, rows);
  out += "\nBreaks: " + std::to_string(fairness.total_breaks) +
         " (fewest possible: " + std::to_string(fairness.minimum_breaks) + ")\n";
  return out;
}

std::string as_json(const Fairness& fairness) {
  std::string out;
  JsonObject top(out, "");
  json_array(top.member("teams"), fairness.teams, [](JsonObject& o, const TeamLine& t) {
    o.number("number", t.number);
    o.text("name", t.name);
    o.number("home", t.home);
    o.number("away", t.away);
    o.number("byes", t.byes);
    o.number("breaks", t.breaks);
    o.number("longest_home_run", t.longest_home_run);
    o.number("longest_away_run", t.longest_away_run);
  });
  json_array(top.member("bars"), fairness.bars, [](JsonObject& o, const BarLine& b) {
    o.number("number", b.number);
    o.text("name", b.name);
    o.number("tables", b.tables);
    o.number("most_in_a_week", b.most_in_a_week);
    o.number("weeks_over_tables", b.weeks_over_tables);
  });
  top.number("total_breaks", fairness.total_breaks);
  top.number("minimum_breaks", fairness.minimum_breaks);
  top.close();
  out += '\n';
  return out;
}

}  // namespace quintora::report
