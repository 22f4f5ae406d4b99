#pragma once
// The league file: a small CR LF text file that begins with the mark
// "!! Version 1.4.0". Writing is always followed by reading the written file
// back, which is how a save compacts and renumbers the league.

#include <istream>
#include <string_view>

#include "league/league.h"
#include "ui/window_system.h"

namespace quintora {

enum class ReadMode { Open = 1, Reread = 2 };
enum class ReadResult { Success, NotLeagueFile, Refused };

// Reads a league from in. The current league is replaced only when the read
// succeeds; a refused file changes nothing and its reason has been shown.
// In Open mode path becomes the league's file path. On success the editor's
// display shows the new league and the state is Saved.
ReadResult read_league(League& league, std::istream& in, ReadMode mode, std::string_view path,
                       ui::WindowSystem& ws);

// Writes the league, with the title field's text as its title, to its file
// path and reads the written file back. Returns true when the file was
// written, replaced and read back; on failure the old file, the league and
// its state are untouched and the reason has been shown in a "Stop !" box.
bool write_league(League& league, ui::WindowSystem& ws);

}  // namespace quintora
