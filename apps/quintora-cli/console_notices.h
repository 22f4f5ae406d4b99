#pragma once
// The command line's message boxes: each notice becomes a line
// "CAPTION: text" on standard error, control characters shown escaped.

#include <ostream>

#include "base/messages.h"

namespace quintora::cli {

void print(std::ostream& out, const base::Notice& notice);
void print(std::ostream& out, const base::Notices& notices);

}  // namespace quintora::cli
