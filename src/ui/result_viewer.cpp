#include "ui/result_viewer.h"

#include <string>

#include "base/messages.h"
#include "base/paths.h"

namespace quintora::ui {

void show_result(base::WindowSystem& ws, schedule::Viewer viewer, const std::filesystem::path& path) {
  const std::string file = base::utf8_of(path);
  bool started = false;
  if (viewer == schedule::Viewer::WordPad) started = ws.open_with_default_application(file);
  if (!started) started = ws.start_program("quintora-view", {file});
  if (!started) {
    ws.message_box("The schedule was saved as " + file + ", but no program could be started to show it.",
                   base::caption::information, base::Icon::Information, base::Buttons::Ok);
  }
}

}  // namespace quintora::ui
