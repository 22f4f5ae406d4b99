#pragma once
// The desktop program's main window and its logic on real widgets, as the
// program assembles them, in a scratch folder of their own. Message boxes are
// recorded and answered OK, or Cancel where there is a choice; file dialogs
// are recorded and answered once from `next_file`, or cancelled.

#include <QTemporaryDir>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/controls.h"
#include "ui/main_window_logic.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_window_system.h"

struct Program {
  // With an example league's name, a copy of it is opened.
  explicit Program(quintora::ui::DisplaySize size = quintora::ui::DisplaySize::Small,
                   const char* example = nullptr)
      : window(ws, size), logic(ws, folder() / "qtra_set.dat", nullptr) {
    using quintora::base::Answer;
    ws.set_message_box_answerer([this](const quintora::ui::qt::MessageBoxRequest& box) {
      messages.push_back(box.text);
      return box.buttons == quintora::base::Buttons::Ok ? Answer::Ok : Answer::Cancel;
    });
    ws.set_file_dialog_answerer([this](const quintora::base::FileDialogRequest& request) {
      requests.push_back(request);
      return std::exchange(next_file, std::nullopt);
    });
    logic.initialise();
    if (example != nullptr) {  // a copy, so nothing can touch the original
      const std::filesystem::path copy = folder() / example;
      std::filesystem::copy_file(std::filesystem::path(QUINTORA_SOURCE_DIR) / "examples" / example, copy);
      next_file = copy.string();
      ws.notify(quintora::ui::command::file_open, quintora::base::Notification::Clicked);
    }
    window.show();
  }
  std::filesystem::path folder() const { return dir.path().toStdString(); }

  QTemporaryDir dir;
  quintora::ui::qt::QtWindowSystem ws;
  quintora::ui::qt::MainWindow window;
  quintora::ui::MainWindowLogic logic;
  std::vector<std::string> messages;
  std::vector<quintora::base::FileDialogRequest> requests;
  std::optional<std::string> next_file;
};
