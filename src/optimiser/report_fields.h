#pragma once
// The field forms of the optimiser's report lines: fixed-width integers,
// the 14-column exponent form with a "D" exponent, and free-form lines.

#include <string>
#include <string_view>

namespace quintora::optimiser {

// An integer right-justified in `width` columns; a value that does not fit
// fills the field with asterisks.
std::string format_int(long long value, int width);

// 14 columns: one digit, the point, five digits, "D", the exponent's sign and
// two digits, right-justified (12 -> "   1.20000D+01"). Rounded to six
// significant digits, ties to even, from the exact binary value.
std::string format_e14(double value);

// Reads a number in the form format_e14 writes ("D" or "E" exponent, blanks
// around it). False for anything else.
bool parse_e14(std::string_view text, double& value);

// Free-form numbers, as nobody reads them back: whole numbers in decimal;
// reals in their shortest exact form, with ".0" added when that form would
// look like a whole number (6227020800.0, 0.25, 9.33262154439441e+155).
std::string free_form_real(double value);

// A free-form line: one leading blank, then the items separated by blanks.
class FreeFormLine {
 public:
  FreeFormLine& text(std::string_view item);
  FreeFormLine& whole(long long item);
  FreeFormLine& real(double item);
  const std::string& str() const { return line_; }

 private:
  void separate();
  std::string line_;
};

}  // namespace quintora::optimiser
