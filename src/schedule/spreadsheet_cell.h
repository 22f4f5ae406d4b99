#pragma once
// What a name or title becomes in a comma-delimited schedule. A spreadsheet
// splits each line into cells at every comma (the file has no quoting), so a
// name or title can begin a cell of its own: after the title line's indent,
// or after a comma inside the text. A cell that begins with = + - or @ would
// be taken as a formula, and a line end inside a name would start a new row.

#include <string>
#include <string_view>

namespace quintora::schedule {

// The text with every cell that begins in it with = + - or @ given a leading
// apostrophe (which spreadsheets read as "this is text"), and every CR or LF
// written as a blank; all other bytes stay. A cell's leading blanks and tabs
// do not count, since some importers trim them: the apostrophe goes right
// before the character that would start a formula. `begins_cell` is true when
// only blanks stand between the text and the start of its cell.
std::string spreadsheet_text(std::string_view text, bool begins_cell);

}  // namespace quintora::schedule
