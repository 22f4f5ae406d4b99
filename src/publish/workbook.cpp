// The workbook through libxlsxwriter. That library writes only to a named
// file, so the workbook is made in a private temporary folder (removed
// afterwards, and on an interrupt) and read back as bytes.

#include <xlsxwriter.h>

#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/interrupt_cleanup.h"
#include "base/private_folder.h"
#include "base/text.h"
#include "publish/common.h"
#include "publish/publish.h"

namespace quintora::publish {

namespace {

namespace fs = std::filesystem;

bool is_hex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Whether text[i] starts "_xHHHH_", which Excel reads as an escaped character.
bool starts_office_escape(std::string_view text, std::size_t i) {
  return text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && is_hex(text[i + 2]) &&
         is_hex(text[i + 3]) && is_hex(text[i + 4]) && is_hex(text[i + 5]) && text[i + 6] == '_';
}

// Text as the workbook's XML holds it, in a cell or a document property:
// valid UTF-8 without control characters (libxlsxwriter escapes them in cells
// but not in the properties, where they make the file unreadable; NUL would
// end the C string), and the underscore of a "_xHHHH_" written as _x005F_ so
// the text reads back as it stands.
std::string cell_text(std::string_view raw) {
  const std::string text = base::without_control_characters(raw, "\t\n\r");
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (starts_office_escape(text, i))
      out += "_x005F_";
    else
      out += text[i];
  }
  return out;
}

constexpr std::size_t max_sheet_units = 31;  // Excel counts UTF-16 code units

// The longest prefix of whole characters within `units` UTF-16 code units.
std::string_view prefix_within(std::string_view utf8, std::size_t units) {
  std::size_t used = 0;
  std::size_t end = 0;
  while (end < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[end]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    const std::size_t cost = lead >= 0xF0 ? 2 : 1;
    if (used + cost > units || end + length > utf8.size()) break;
    used += cost;
    end += length;
  }
  return utf8.substr(0, end);
}

std::string ascii_lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// Sheet names as Excel accepts them: 1 to 31 characters, none of []:*?/\ nor
// a control character, no apostrophe first or last, unique ignoring letter
// case, and not the reserved "History".
class SheetNames {
 public:
  SheetNames() { used_.push_back("history"); }

  std::string take(std::string_view wanted, std::string_view fallback) {
    const std::string text = base::with_replacement_characters(wanted);
    std::string stem;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      const bool bad = std::string_view("[]:*?/\\").find(c) != std::string_view::npos ||
                       static_cast<unsigned char>(c) < 0x20 || c == '\x7F';
      // A sheet name is read with the same escapes as a cell, and has no room for them.
      stem += bad ? '_' : starts_office_escape(text, i) ? '-' : c;
    }
    stem = base::without_control_characters(stem);  // the C1 controls left
    while (!stem.empty() && stem.front() == '\'') stem.erase(0, 1);
    while (!stem.empty() && stem.back() == '\'') stem.pop_back();
    if (stem.empty()) stem = fallback;
    for (int n = 1;; ++n) {
      const std::string suffix = n == 1 ? "" : " (" + std::to_string(n) + ")";
      std::string name(prefix_within(stem, max_sheet_units - suffix.size()));
      while (!name.empty() && name.back() == '\'') name.pop_back();
      name += suffix;
      if (!is_used(name)) {
        used_.push_back(ascii_lower(name));
        return name;
      }
    }
  }

 private:
  bool is_used(const std::string& name) const {
    const std::string key = ascii_lower(name);
    for (const std::string& used : used_) {
      if (used == key) return true;
    }
    return false;
  }
  std::vector<std::string> used_;
};

// A new sheet, its name always quoted where a reference names it (the
// filter's defined name). libxlsxwriter quotes only a name holding something
// other than letters, digits, _ and ., so a team named A1, R1C1 or XFD1048576
// would read as a cell; Excel itself quotes every name.
lxw_worksheet* add_sheet(lxw_workbook* book, const std::string& name) {
  lxw_worksheet* sheet = workbook_add_worksheet(book, name.c_str());
  if (sheet == nullptr || (sheet->quoted_name != nullptr && sheet->quoted_name[0] == '\'')) return sheet;
  std::string quoted = "'";
  for (const char c : name) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  quoted += '\'';
  // Already quoted, so the library returns a copy made with its own allocator.
  char* copy = lxw_quote_sheetname(quoted.c_str());
  if (copy == nullptr) return nullptr;
  std::free(sheet->quoted_name);
  sheet->quoted_name = copy;
  return sheet;
}

struct Formats {
  lxw_format* header = nullptr;
  lxw_format* date = nullptr;
  lxw_format* time = nullptr;
};

lxw_datetime excel_date(const base::Date& date) { return {date.year, date.month, date.day, 0, 0, 0.0}; }

// A time of day as Excel stores it: the fraction of a day.
double excel_time(const base::TimeOfDay& time) { return (time.hour * 60 + time.minute) / 1440.0; }

// Writes cells and remembers the first failure.
class Sheet {
 public:
  Sheet(lxw_worksheet* sheet, const Formats& formats) : sheet_(sheet), formats_(formats) {}

  // The column names in row `at`, the first row of the table.
  void header(const std::vector<std::string_view>& titles, const std::vector<double>& widths,
              lxw_row_t at = 0) {
    for (std::size_t c = 0; c < titles.size(); ++c) {
      const auto col = static_cast<lxw_col_t>(c);
      note(worksheet_set_column(sheet_, col, col, widths[c], nullptr));
      text(at, c, titles[c], formats_.header);
    }
    columns_ = titles.size();
    top_ = at;
  }
  void text(lxw_row_t row, std::size_t col, std::string_view value, lxw_format* format = nullptr) {
    if (value.empty()) return;
    note(worksheet_write_string(sheet_, row, static_cast<lxw_col_t>(col), cell_text(value).c_str(), format));
  }
  void number(lxw_row_t row, std::size_t col, double value, lxw_format* format = nullptr) {
    note(worksheet_write_number(sheet_, row, static_cast<lxw_col_t>(col), value, format));
  }
  void date(lxw_row_t row, std::size_t col, const std::optional<base::Date>& value) {
    if (!value) return;
    lxw_datetime when = excel_date(*value);
    note(worksheet_write_datetime(sheet_, row, static_cast<lxw_col_t>(col), &when, formats_.date));
  }
  void time(lxw_row_t row, std::size_t col, const std::optional<base::TimeOfDay>& value) {
    if (value) number(row, col, excel_time(*value), formats_.time);
  }
  // The header row stays in view and filters the rows below it.
  void finish(lxw_row_t rows) {
    worksheet_freeze_panes(sheet_, top_ + 1, 0);
    note(worksheet_autofilter(sheet_, top_, 0, rows, static_cast<lxw_col_t>(columns_ - 1)));
  }
  bool ok() const { return ok_; }

 private:
  void note(lxw_error error) { ok_ = ok_ && error == LXW_NO_ERROR; }
  lxw_worksheet* sheet_;
  const Formats& formats_;
  std::size_t columns_ = 0;
  lxw_row_t top_ = 0;
  bool ok_ = true;
};

bool write_fixtures(Sheet& sheet, const season::Season& season) {
  sheet.header({"Week", "Date", "Day", "Time", "Home team", "Away team", "Venue", "Note"},
               {6, 12, 11, 7, 28, 28, 28, 12});
  lxw_row_t row = 0;
  for (std::size_t w = 0; w < season.weeks.size(); ++w) {
    for (const base::Date& off : weeks_off_before(season, w)) {
      sheet.date(++row, 1, off);
      sheet.text(row, 2, base::weekday_name(off));
      sheet.text(row, 7, no_matches_text);
    }
    const season::Week& week = season.weeks[w];
    const auto when = [&](std::optional<base::TimeOfDay> time) {
      ++row;
      sheet.number(row, 0, week.number);
      sheet.date(row, 1, week.date);
      if (week.date) sheet.text(row, 2, base::weekday_name(*week.date));
      sheet.time(row, 3, time);
    };
    for (const season::Match& match : week.matches) {
      when(season.start_time(match));
      sheet.text(row, 4, season.team(match.home).name);
      sheet.text(row, 5, season.team(match.away).name);
      sheet.text(row, 6, season.venue(match).name);
    }
    for (int team : week.not_playing) {
      when(std::nullopt);
      sheet.text(row, 4, season.team(team).name);
      sheet.text(row, 7, "Not Playing");
    }
  }
  sheet.finish(row);
  return sheet.ok();
}

bool write_team(Sheet& sheet, const Formats& formats, const season::Season& season, int team) {
  // Whose sheet it is, above the table: printed or passed on, it still says.
  sheet.text(0, 0, season.team(team).name, formats.header);
  sheet.text(1, 0, season.title);
  sheet.header({"Week", "Date", "Time", "Opponent", "Home or away", "Venue"}, {6, 12, 7, 28, 13, 28}, 2);
  lxw_row_t row = 2;
  for (const Fixture& fixture : fixtures_of(season, team)) {
    for (const base::Date& off : detail::weeks_off_before(season, fixture)) {
      sheet.date(++row, 1, off);
      sheet.text(row, 4, no_matches_text);
    }
    ++row;
    sheet.number(row, 0, fixture.week->number);
    sheet.date(row, 1, fixture.week->date);
    if (fixture.match == nullptr) {
      sheet.text(row, 4, "Not Playing");
      continue;
    }
    sheet.time(row, 2, season.start_time(*fixture.match));
    sheet.text(row, 3, season.team(fixture.opponent()).name);
    sheet.text(row, 4, fixture.home() ? "Home" : "Away");
    sheet.text(row, 5, season.venue(*fixture.match).name);
  }
  sheet.finish(row);
  return sheet.ok();
}

// Each venue once, with how to find and call it and when its matches start.
bool write_venues(Sheet& sheet, const season::Season& season) {
  sheet.header({"Venue", "Address", "Phone", "Start time"}, {28, 40, 16, 10});
  lxw_row_t row = 0;
  for (const int number : detail::venues_of(season, 0)) {
    const season::Bar& bar = season.bar(number);
    ++row;
    sheet.text(row, 0, bar.name);
    sheet.text(row, 1, bar.address);
    sheet.text(row, 2, bar.phone);
    sheet.time(row, 3,
               bar.start         ? bar.start
               : season.calendar ? std::optional(season.calendar->start)
                                 : std::nullopt);
  }
  sheet.finish(row);
  return sheet.ok();
}

// The "Fixtures" sheet, or where the league has divisions a sheet of each
// division's fixtures, named after it.
bool write_all_fixtures(lxw_workbook* book, const Formats& formats, SheetNames& names,
                        const season::Season& season) {
  if (!detail::has_divisions(season)) {
    lxw_worksheet* fixtures = add_sheet(book, names.take("Fixtures", "Fixtures"));
    Sheet sheet(fixtures, formats);
    return fixtures != nullptr && write_fixtures(sheet, season);
  }
  for (std::size_t d = 0; d < season.divisions.size(); ++d) {
    const int division = static_cast<int>(d + 1);
    const std::string title = detail::division_title(season, division);
    lxw_worksheet* fixtures = add_sheet(book, names.take(title, "Division " + std::to_string(division)));
    if (fixtures == nullptr) return false;
    Sheet sheet(fixtures, formats);
    if (!write_fixtures(sheet, season::only_division(season, division))) return false;
  }
  return true;
}

bool fill(lxw_workbook* book, const season::Season& season, std::chrono::sys_seconds now) {
  Formats formats;
  formats.header = workbook_add_format(book);
  formats.date = workbook_add_format(book);
  formats.time = workbook_add_format(book);
  if (formats.header == nullptr || formats.date == nullptr || formats.time == nullptr) return false;
  format_set_bold(formats.header);
  format_set_num_format(formats.date, "yyyy-mm-dd");
  format_set_num_format(formats.time, "hh:mm");

  std::string title = cell_text(season.title);
  lxw_doc_properties properties{};
  properties.title = title.data();  // copied by libxlsxwriter
  properties.created = static_cast<std::time_t>(now.time_since_epoch().count());
  if (workbook_set_properties(book, &properties) != LXW_NO_ERROR) return false;

  SheetNames names;
  if (!write_all_fixtures(book, formats, names, season)) return false;
  for (std::size_t t = 0; t < season.teams.size(); ++t) {
    const int team = static_cast<int>(t + 1);
    const std::string name = names.take(season.teams[t].name, "Team " + std::to_string(team));
    lxw_worksheet* page = add_sheet(book, name);
    if (page == nullptr) return false;
    Sheet team_sheet(page, formats);
    if (!write_team(team_sheet, formats, season, team)) return false;
  }
  if (!season.has_venue_details()) return true;
  lxw_worksheet* venues = add_sheet(book, names.take("Venues", "Venues"));
  if (venues == nullptr) return false;
  Sheet venue_sheet(venues, formats);
  return write_venues(venue_sheet, season);
}

}  // namespace

Output workbook(const season::Season& season, const Options& options) {
  if (const Result result = detail::check(season, {}, false); result != Result::Ok)
    return detail::failed(result);
  base::PrivateFolder folder;
  if (!folder.create("quintora-xlsx-", {"season.xlsx"})) return detail::failed(Result::LibraryFailed);
  const fs::path file = folder.file("season.xlsx");
  std::string tmpdir = folder.path().string();  // libxlsxwriter's own scratch files go there too
  lxw_workbook_options book_options{};
  book_options.tmpdir = tmpdir.data();
  lxw_workbook* book = workbook_new_opt(file.string().c_str(), &book_options);
  if (book == nullptr) return detail::failed(Result::LibraryFailed);
  const bool filled = fill(book, season, detail::now(options));
  // workbook_close writes the file and frees the workbook, filled or not.
  // libxlsxwriter's scratch files live only inside this call: an interrupt
  // waits for it, so none of them is left behind.
  bool closed = false;
  {
    const base::DeferredInterrupts hold;
    closed = workbook_close(book) == LXW_NO_ERROR;
  }
  if (!filled || !closed) return detail::failed(Result::LibraryFailed);
  std::ifstream in(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) return detail::failed(Result::LibraryFailed);
  if (bytes.empty()) return detail::failed(Result::LibraryFailed);
  return {Result::Ok, std::move(bytes)};
}

}  // namespace quintora::publish
