#include "publish/common.h"

#include <cstddef>
#include <cstdint>

namespace quintora::publish::detail {

Result check(const season::Season& season, const Options& options, bool needs_calendar) {
  if (!season::is_consistent(season)) return Result::BadSeason;
  if (options.team < 0 || static_cast<std::size_t>(options.team) > season.teams.size())
    return Result::UnknownTeam;
  if (needs_calendar && !season.calendar) return Result::NeedsCalendar;
  return Result::Ok;
}

namespace {

// Length of the well-formed UTF-8 sequence at the start of `text`, or 0.
std::size_t sequence_length(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  std::uint8_t low = 0x80;  // bounds of the second byte (Unicode table 3-7)
  std::uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

std::string valid_utf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const std::size_t length = sequence_length(text);
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      text.remove_prefix(1);
    } else {
      out.append(text.substr(0, length));
      text.remove_prefix(length);
    }
  }
  return out;
}

bool concerns(const season::Match& match, int team) {
  return team == 0 || match.home == team || match.away == team;
}

std::vector<Fixture> fixtures_of(const season::Season& season, int team) {
  std::vector<Fixture> fixtures;
  for (const season::Week& week : season.weeks) {
    for (const season::Match& match : week.matches) {
      if (match.home == team || match.away == team) fixtures.push_back({&week, &match, team});
    }
    if (week.not_playing == team) fixtures.push_back({&week, nullptr, team});
  }
  return fixtures;
}

std::chrono::sys_seconds now(const Options& options) {
  if (options.now) return *options.now;
  return std::chrono::time_point_cast<std::chrono::seconds>(std::chrono::system_clock::now());
}

}  // namespace quintora::publish::detail
