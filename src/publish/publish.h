#pragma once
// The season in the forms leagues hand out: a fixture list and a league-website
// upload (CSV), calendar events (iCalendar), a workbook (xlsx) and a printable
// page (HTML; its PDF, which needs Qt, is in publish_pdf). Each writer turns the
// season into the file's bytes in memory and writes no file itself: the caller
// hands the bytes to the atomic writer, so a failed export never leaves a
// half-written file or harms an earlier one.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/messages.h"
#include "season/season.h"

namespace quintora::publish {

enum class Result {
  Ok,
  NeedsCalendar,     // the format dates every match and the season has no calendar
  UnknownTeam,       // Options::team is not a team of the season
  BadSeason,         // the season names a team or bar it does not hold (see season::is_consistent)
  LibraryFailed,     // libical, libxlsxwriter or Qt could not make the file
  NoGuiApplication,  // PDF only: the process has no QGuiApplication
  DateTooLate,       // a match date is later than the format can hold (see last_date)
  NoMatches,         // iCalendar only: no match to make an event of
};

// What a calendar file said of each event when it was last published, kept
// beside it (calendar_state_path) so that the next export of the file tells
// calendar programs which events changed.
struct CalendarState {
  struct Event {
    std::string uid;
    int sequence = 0;          // SEQUENCE: how often the event changed since first published
    std::uint64_t digest = 0;  // of what the event says (time, names, place)
    std::optional<std::chrono::sys_seconds> modified;  // LAST-MODIFIED, once it changed
  };
  std::vector<Event> events;
};

struct Options {
  // 0 for the whole league, else only this team's fixtures and byes. Used by
  // the fixture CSV, iCalendar, HTML and PDF; the upload CSV and the workbook
  // always hold the whole league (the workbook has a sheet per team anyway).
  int team = 0;
  // The moment the file is made: the iCalendar DTSTAMP and the workbook's
  // creation time. The system clock when unset; tests set it.
  std::optional<std::chrono::sys_seconds> now;
  // iCalendar: what the file said when last published, if known.
  const CalendarState* published = nullptr;
};

struct Output {
  Result result = Result::Ok;
  std::string bytes;  // the whole file; empty unless result is Ok
  // iCalendar: the state to keep beside the file once it is written.
  std::string calendar_state{};
};

// RFC 4180 with a UTF-8 byte-order mark and CR LF: Week, Date, Day, Time,
// Home team, Away team, Venue, Note; a "Not Playing" row for each bye (the
// team in Home team, no time). Date, Day and Time are empty without a calendar.
Output fixtures_csv(const season::Season& season, const Options& options = {});

// The fixtures-upload layout of league-management websites: one row per match,
// Division the league title, Venue the host's bar; no byte-order mark. Needs a calendar.
Output upload_csv(const season::Season& season);

// RFC 5545 through libical: one event per match at its venue's local
// wall-clock start time (floating, so it holds across daylight-saving
// changes), three hours long, at "Bar, address". Its UID comes from the
// league title, the first date of the calendar, the week number and the
// pairing, so it stays the same when a match only moves. With
// Options::published, an event that changed since then gets the next
// SEQUENCE and LAST-MODIFIED now; Output::calendar_state is the new state.
// Needs a calendar and a match.
Output icalendar(const season::Season& season, const Options& options = {});

// The file beside a calendar that records what it last published: the
// calendar's own name with "-state" added ("league.ics-state"), so a
// team's calendar and the league's each keep their own.
std::filesystem::path calendar_state_path(const std::filesystem::path& calendar_file);

struct CalendarStateRead {
  std::optional<CalendarState> state;  // none when there is no file or it cannot be used
  std::optional<base::Notice> notice;  // a file there that cannot be used, which is then ignored
};
// Reads the state kept beside `calendar_file`. A state file that is damaged
// or edited by hand is reported and treated as absent: the calendar is then
// published as if for the first time.
CalendarStateRead read_calendar_state(const std::filesystem::path& calendar_file);

// An .xlsx workbook through libxlsxwriter: a "Fixtures" sheet with real date
// and time cells, a frozen header row and an autofilter, then one sheet per
// team with its own fixtures.
Output workbook(const season::Season& season, const Options& options = {});

// One self-contained UTF-8 page with a print stylesheet: the title, every week
// with its date, matches and bye, then a page per team. The PDF (publish_pdf)
// shows the same words, drawn page by page.
Output printable_html(const season::Season& season, const Options& options = {});

// One sentence for a message box or standard error; names the team number
// for UnknownTeam.
std::string message(Result result, const Options& options = {});

// A week as it concerns one team: a match it plays, or its bye (match null).
struct Fixture {
  const season::Week* week = nullptr;
  const season::Match* match = nullptr;
  int team = 0;
  bool home() const { return match != nullptr && match->home == team; }
  int opponent() const { return match == nullptr ? 0 : match->home == team ? match->away : match->home; }
};

// The team's matches and byes, week by week.
std::vector<Fixture> fixtures_of(const season::Season& season, int team);

// The weeks off of the calendar that fall just before season.weeks[week]
// (and after the week before it), in order: where a list shows "No matches".
std::vector<base::Date> weeks_off_before(const season::Season& season, std::size_t week);

inline constexpr std::string_view no_matches_text = "No matches";

enum class Format { FixturesCsv, UploadCsv, ICalendar, Workbook, Html, Pdf };

enum class Paper { A4, Letter };

// The PDF of printable_html's page, made by the PDF module (quintora-pdf,
// which holds Qt and is loaded only now, so that a run that makes no PDF
// starts without Qt). Result::LibraryFailed when the module cannot be loaded.
// Call it from the program's main thread.
Output printable_pdf_from_module(const season::Season& season, const Options& options, Paper paper);

// The file of any format but the PDF, which needs Qt and is made by
// publish/pdf/pdf.h; for Format::Pdf this gives Result::NoGuiApplication.
Output render(const season::Season& season, Format format, const Options& options = {});

struct FormatInfo {
  Format format;
  std::string_view name;         // as on the command line: "fixtures-csv", "ics" ...
  std::string_view extension;    // with its dot: ".csv"
  std::string_view description;  // for a file dialog: "Fixture list (*.csv)"
  bool needs_calendar;
  bool per_team;  // honours Options::team
};

// The last date a format can hold: 3000-12-31 in iCalendar (libical writes
// no later year), 9999-12-31 in the others (every date has four digits for
// its year). A season with a later match date gives Result::DateTooLate.
base::Date last_date(Format format);

std::span<const FormatInfo> formats();
// The format of that command-line name, or nullptr.
const FormatInfo* find_format(std::string_view name);

}  // namespace quintora::publish
