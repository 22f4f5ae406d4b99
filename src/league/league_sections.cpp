#include "league/league_sections.h"

#include <array>
#include <cstddef>

#include "league/calendar_section.h"
#include "league/division_section.h"
#include "league/section_lines.h"
#include "league/unavailable_section.h"
#include "league/venue_section.h"

namespace quintora::league {

namespace {

struct SectionKind {
  std::string_view start;  // how its header begins
  std::string_view name;   // for the problems
  bool (*read)(SectionValues&, League&);
};

constexpr std::array<SectionKind, 4> kinds = {{
    {"<< DIVISIONS", "the division list", read_divisions_section},
    {"<< CALENDAR", "the calendar", read_calendar_section},
    {"<< UNAVAILABLE", "the list of unavailable dates", read_unavailable_section},
    {"<< VENUES", "the venue list", read_venues_section},
}};
constexpr std::size_t unavailable_kind = 2;

// A hostile file could hold thousands; the first few say enough.
constexpr int listed_problems = 5;

class Problems {
 public:
  void add(const std::string& problem) {
    if (count_++ >= listed_problems) return;
    text_ += text_.empty() ? problem : "; " + problem;
  }
  std::string take() {
    if (count_ > listed_problems) text_ += "; and " + std::to_string(count_ - listed_problems) + " more";
    return std::move(text_);
  }

 private:
  std::string text_;
  int count_ = 0;
};

std::size_t kind_of(std::string_view header) {
  for (std::size_t k = 0; k < kinds.size(); ++k) {
    if (header.starts_with(kinds[k].start)) return k;
  }
  return kinds.size();
}

}  // namespace

std::string read_optional_sections(std::string_view rest, int first_line, League& league) {
  SectionLines lines(rest, first_line);
  Problems problems;
  std::array<bool, kinds.size()> seen{};
  int unavailable_line = 0;
  bool skipping = false;  // past a section not taken, up to the next header
  std::string_view line;
  while (lines.next_filled(line)) {
    if (skipping && !is_header(line)) continue;
    skipping = true;
    const std::size_t k = kind_of(line);
    if (k == kinds.size()) {
      problems.add(at_line(lines.number(), "a section this program does not know begins here"));
      continue;
    }
    if (seen[k]) {
      problems.add(at_line(lines.number(), std::string(kinds[k].name) + " is given a second time here"));
      continue;
    }
    seen[k] = true;
    if (k == unavailable_kind) unavailable_line = lines.number();
    // A section cut short may have read the next header as a value: look
    // for the next header from just after this one.
    const SectionLines::Mark header = lines.mark();
    std::string problem;
    SectionValues values(lines, kinds[k].name, problem);
    if (kinds[k].read(values, league)) {
      skipping = false;
    } else {
      problems.add(problem);
      lines.go_back(header);
    }
  }
  if (league.unavailable.n_entry > 0 && !league.calendar) {
    league.unavailable.n_entry = 0;
    problems.add(at_line(unavailable_line, "the unavailable dates need the league's calendar"));
  }
  return problems.take();
}

std::string optional_sections_text(const League& league, const Compaction& compaction) {
  std::string text = divisions_section_text(league, compaction);
  if (league.calendar) text += calendar_section_text(*league.calendar);
  text += unavailable_section_text(league, compaction);
  text += venues_section_text(league, compaction);
  return text;
}

}  // namespace quintora::league
