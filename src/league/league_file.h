#pragma once
// The league file: a small CR LF text file that begins with the mark
// "!! Version 1.4.0". Writing is always followed by reading the written file
// back, which is how a save compacts and renumbers the league. Both take and
// give data and messages only; showing the league is the window's business.

#include <cstddef>
#include <filesystem>
#include <string_view>

#include "base/messages.h"
#include "league/league.h"

namespace quintora::league {

enum class ReadMode { Open = 1, Reread = 2 };
enum class ReadResult {
  Success,
  NotLeagueFile,  // no "!!" mark; "Not a Vazedored file."
  Refused,        // a league file that cannot be read safely
  Unreadable,     // the file could not be opened or read; no notice, the caller says so
};

// A league file is a few kilobytes; anything larger is not one.
inline constexpr std::size_t max_league_file_bytes = std::size_t{1} << 20;

// Reads a league from the text of a league file. The current league is
// replaced only when the read succeeds, and its state is then Saved; a
// refused text changes nothing. In Open mode `path` becomes the league's
// file path. What the user must be told is appended to `notices`: the reason
// of a refusal, or on success the teams a hand-edited file left without a bar.
ReadResult read_league(League& league, std::string_view text, ReadMode mode, std::string_view path,
                       base::Notices& notices);

// Reads the file at `path` (UTF-8) and then the league, as above.
ReadResult read_league_file(League& league, std::string_view path, ReadMode mode, base::Notices& notices);

// Writes the league with `title` to its file path and reads the written file
// back. True when the file was written, replaced and read back; on failure
// the old file, the league and its state are untouched and `notices` says why.
bool write_league(League& league, std::string_view title, base::Notices& notices);

// Whether `path` names the league file at `league_file`: the same file by
// any name (a link, another spelling), or the same place should either not
// exist. A schedule or an export must never replace the league it came from.
bool is_league_file(const std::filesystem::path& league_file, const std::filesystem::path& path);
// Whether the league was read from or saved to a file that it still names.
bool has_league_file(const League& league);
// is_league_file for that file; false while the league has none.
bool is_league_file(const League& league, const std::filesystem::path& path);

}  // namespace quintora::league
