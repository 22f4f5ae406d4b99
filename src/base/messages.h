#pragma once
// The captions of the program's message boxes, and a message waiting to be
// shown: the league and schedule code hand messages back to their caller,
// which decides where they appear (a box, standard error).

#include <string>
#include <string_view>
#include <vector>

#include "base/window_system.h"

namespace quintora::base {

namespace caption {
inline constexpr std::string_view stop = "Stop !";
inline constexpr std::string_view sorry = "Sorry !";
inline constexpr std::string_view warning = "Warning !";
inline constexpr std::string_view information = "Information";
// A team of a hand-edited file that names no bar; the odd spelling is the
// program's own.
inline constexpr std::string_view stopzzz = "Stopzzz !";
}  // namespace caption

struct Notice {
  std::string text;
  std::string_view caption = caption::stop;
  Icon icon = Icon::Error;
};

using Notices = std::vector<Notice>;

// Shows each notice in an OK box, in order.
inline void show(WindowSystem& ws, const Notices& notices) {
  for (const Notice& n : notices) ws.message_box(n.text, n.caption, n.icon, Buttons::Ok);
}
inline void show(WindowSystem& ws, const Notice& notice) {
  ws.message_box(notice.text, notice.caption, notice.icon, Buttons::Ok);
}

}  // namespace quintora::base
