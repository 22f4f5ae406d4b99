#include "ui/season_export.h"

#include <algorithm>
#include <filesystem>

#include "base/atomic_file.h"
#include "base/messages.h"
#include "base/paths.h"
#include "base/text.h"
#include "league/league_file.h"

namespace quintora::ui {
namespace {

// A file name part from a team name: letters and digits kept (UTF-8 letters
// too), everything else, separators above all, made a single '-'.
std::string file_name_part(std::string_view name) {
  std::string out;
  for (const char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c >= 0x80) {
      out += ch;
    } else if (c >= 'A' && c <= 'Z') {
      out += static_cast<char>(c - 'A' + 'a');
    } else if (!out.empty() && out.back() != '-') {
      out += '-';
    }
  }
  while (!out.empty() && out.back() == '-') out.pop_back();
  return out.substr(0, base::fitting_length(out, 40));
}

const publish::FormatInfo* info_of(publish::Format format) {
  const auto all = publish::formats();
  const auto info =
      std::find_if(all.begin(), all.end(), [format](const auto& f) { return f.format == format; });
  return info == all.end() ? nullptr : &*info;
}

publish::Options for_team(int team) {
  publish::Options options;
  options.team = team;
  return options;
}

}  // namespace

publish::Paper paper_for_country(std::string_view country_code) {
  return country_code == "US" || country_code == "CA" || country_code == "MX" ? publish::Paper::Letter
                                                                              : publish::Paper::A4;
}

SeasonExport::SeasonExport(const league::League& league, base::WindowSystem& ws) : league_(league), ws_(ws) {}

publish::Output SeasonExport::render(const season::Season& season, publish::Format format, int team) const {
  if (format == publish::Format::Pdf && pdf_renderer_) return pdf_renderer_(season, for_team(team), paper_);
  return publish::render(season, format, for_team(team));
}

std::string SeasonExport::suggested_path(const season::Season& season, const publish::FormatInfo& info,
                                         int team) const {
  std::filesystem::path folder;
  std::string stem = "season";
  if (has_league_file(league_)) {
    const std::filesystem::path league_file = base::path_from_utf8(league_.current_file_path.view());
    folder = league_file.parent_path();
    stem = base::utf8_of(league_file.stem());
  }
  if (team != 0) {
    const bool known = team >= 1 && team <= static_cast<int>(season.teams.size());
    const std::string part = known ? file_name_part(season.team(team).name) : std::string();
    stem += "-" + (part.empty() ? "team-" + std::to_string(team) : part);
  }
  return base::utf8_of(folder / base::path_from_utf8(stem + std::string(info.extension)));
}

bool SeasonExport::refuse(const std::string& text) {
  ws_.message_box(text, base::caption::stop, base::Icon::Error, base::Buttons::Ok);
  return false;
}

bool SeasonExport::export_season(const season::Season* season, publish::Format format, int team) {
  const publish::FormatInfo* info = info_of(format);
  if (info == nullptr) return false;
  if (season == nullptr) return refuse("There is no season to export: it could not be built.");
  const int team_or_all = info->per_team ? team : 0;
  // The file is made before a name is asked for, so a format that cannot be
  // made costs the user no file dialog.
  const publish::Output output = render(*season, format, team_or_all);
  if (output.result != publish::Result::Ok)
    return refuse(publish::message(output.result, for_team(team_or_all)));

  base::FileDialogRequest request;
  request.kind = base::FileDialogKind::Save;
  std::string pattern = "*";
  pattern += info->extension;
  request.filters = {{std::string(info->description), pattern}, {"All Files(*.*)", "*.*"}};
  request.default_suffix = std::string(info->extension.substr(1));
  request.confirm_overwrite = true;
  request.initial_path = suggested_path(*season, *info, team_or_all);
  const std::optional<std::string> chosen = ws_.choose_file(request);
  if (!chosen || chosen->empty()) return false;

  const std::filesystem::path target = base::path_from_utf8(*chosen);
  if (is_league_file(league_, target)) {
    return refuse("The league file " + *chosen + " cannot take an export. Choose another name.");
  }
  std::error_code ec;
  if (!target.parent_path().empty() && !std::filesystem::is_directory(target.parent_path(), ec)) {
    status_ = "Nothing was written.";
    return refuse("The folder " + base::utf8_of(target.parent_path()) + " does not exist.");
  }
  if (format == publish::Format::ICalendar) return export_calendar(*season, team_or_all, target);
  return write(target, output.bytes);
}

bool SeasonExport::write(const std::filesystem::path& target, std::string_view bytes) {
  const base::WriteStatus written = base::write_file_atomically(target, bytes);
  if (written != base::WriteStatus::Ok) {
    status_ = "Nothing was written.";
    return refuse("Cannot write the file " + base::utf8_of(target) + ". " +
                  std::string(base::describe(written)));
  }
  status_ = "Saved " + base::utf8_of(target) + ".";
  return true;
}

// The calendar made again against what the file there published last, then
// the record of what this one publishes beside it.
bool SeasonExport::export_calendar(const season::Season& season, int team,
                                   const std::filesystem::path& target) {
  publish::CalendarStateRead read = publish::read_calendar_state(target);
  if (read.notice) base::show(ws_, *read.notice);
  publish::Options options = for_team(team);
  options.published = read.state ? &*read.state : nullptr;
  const publish::Output output = publish::icalendar(season, options);
  if (output.result != publish::Result::Ok) return refuse(publish::message(output.result, options));
  if (!write(target, output.bytes)) return false;
  const std::filesystem::path state = publish::calendar_state_path(target);
  const base::WriteStatus written = base::write_file_atomically(state, output.calendar_state);
  if (written == base::WriteStatus::Ok) return true;
  return refuse("Cannot write the file " + base::utf8_of(state) + ". " +
                std::string(base::describe(written)));
}

std::optional<PrintJob> SeasonExport::print_job(const season::Season& season, int team) {
  const publish::Options options = for_team(team);
  const publish::Result result = !season::is_consistent(season) ? publish::Result::BadSeason
                                 : team < 0 || team > static_cast<int>(season.teams.size())
                                     ? publish::Result::UnknownTeam
                                     : publish::Result::Ok;
  if (result != publish::Result::Ok) {
    refuse(publish::message(result, options));
    return std::nullopt;
  }
  return PrintJob{options, paper_};
}

}  // namespace quintora::ui
