#pragma once
// The one guard against text that a spreadsheet would run as a formula, for
// every delimited file the program writes (the comma-delimited schedule, the
// fixture and upload CSVs).
//
// A spreadsheet takes a cell for a formula when it begins with = + - or @.
// Tab and CR count as well: some importers strip them and then look at the
// next character, and the usual advice for CSV exports lists them too. Blanks
// and opening double quotes before that character do not protect it (an
// importer may trim the blanks, and `"=1+1"` is a quoted =1+1), so the guard
// looks past them and puts the apostrophe, which spreadsheets read as "this
// is text", right before the dangerous character.

#include <string>
#include <string_view>

namespace quintora::base {

// True for = + - @ tab and CR: the characters that make a cell a formula.
bool starts_formula(char c);

// Where cells begin in a piece of text.
enum class Cells {
  Whole,         // the text is one cell (a CSV field, quoted as needed)
  SplitAtStart,  // a cell begins at its start, and after every , ; and tab
  SplitInside,   // like SplitAtStart, but the text continues a cell begun before it
};

// The text with an apostrophe before the first character (past blanks and
// opening quotes) of every cell that begins in it, when that character
// starts a formula. , ; and tab are the separators spreadsheets split a line
// at (; where the decimal mark is a comma); a file without quoting has no way
// to keep them inside a cell. Every other byte stays.
std::string without_formulas(std::string_view text, Cells cells);

}  // namespace quintora::base
