#include "publish/publish.h"

#include <array>

namespace quintora::publish {

namespace {

constexpr std::array<FormatInfo, 6> format_table = {{
    {Format::FixturesCsv, "fixtures-csv", ".csv", "Fixture list (*.csv)", false, true},
    {Format::UploadCsv, "upload-csv", ".csv", "League website upload (*.csv)", true, false},
    {Format::ICalendar, "ics", ".ics", "Calendar (*.ics)", true, true},
    {Format::Workbook, "xlsx", ".xlsx", "Excel workbook (*.xlsx)", false, false},
    {Format::Html, "html", ".html", "Web page for printing (*.html)", false, true},
    {Format::Pdf, "pdf", ".pdf", "PDF document (*.pdf)", false, true},
}};

}  // namespace

std::string message(Result result, const Options& options) {
  switch (result) {
    case Result::Ok:
      return "The file was made.";
    case Result::NeedsCalendar:
      return "This format puts a date on every match: set the first match date of the calendar first.";
    case Result::UnknownTeam:
      return "There is no team number " + std::to_string(options.team) + " in this league.";
    case Result::BadSeason:
      return "The season refers to a team or bar that the league does not have.";
    case Result::LibraryFailed:
      return "The file could not be made: the library that writes this format failed.";
    case Result::NoGuiApplication:
      return "A PDF can only be made once the program has set up its printing (QGuiApplication).";
    case Result::DateTooLate:
      return "A match date of this season is later than this format can hold: the last date is 3000-12-31 "
             "in a calendar file and 9999-12-31 in the other formats.";
    case Result::NoMatches:
      return "There is nothing to put in a calendar: the season has no match" +
             std::string(options.team != 0 ? " for this team." : ".");
  }
  return "The file could not be made.";
}

Output render(const season::Season& season, Format format, const Options& options) {
  switch (format) {
    case Format::FixturesCsv:
      return fixtures_csv(season, options);
    case Format::UploadCsv:
      return upload_csv(season);
    case Format::ICalendar:
      return icalendar(season, options);
    case Format::Workbook:
      return workbook(season, options);
    case Format::Html:
      return printable_html(season, options);
    case Format::Pdf:
      break;
  }
  return Output{Result::NoGuiApplication, {}};
}

base::Date last_date(Format format) {
  return format == Format::ICalendar ? base::Date{3000, 12, 31} : base::Date{9999, 12, 31};
}

std::span<const FormatInfo> formats() { return format_table; }

const FormatInfo* find_format(std::string_view name) {
  for (const FormatInfo& info : format_table) {
    if (info.name == name) return &info;
  }
  return nullptr;
}

}  // namespace quintora::publish
