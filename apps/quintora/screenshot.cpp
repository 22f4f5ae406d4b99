// Draws the main window with a league open and its first bar selected, for
// docs/main-window.png:  main_window_screenshot LEAGUE_FILE OUTPUT_PNG

#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>

#include "base/paths.h"
#include "ui/controls.h"
#include "ui/main_window_logic.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_window_system.h"

using namespace quintora::ui;
using quintora::base::Answer;
using quintora::base::FileDialogRequest;
using quintora::base::Notification;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) return 2;
  const std::string league_file = QApplication::arguments().at(1).toUtf8().toStdString();
  QTemporaryDir config;
  qt::QtWindowSystem ws;
  qt::MainWindow window(ws, DisplaySize::Small);
  MainWindowLogic logic(ws, quintora::base::path_from_utf8(qt::to_utf8(config.path())) / "qtra_set.dat",
                        [](int) {});
  logic.initialise();
  ws.set_message_box_answerer([](const qt::MessageBoxRequest&) { return Answer::Cancel; });
  ws.set_file_dialog_answerer([&](const FileDialogRequest&) { return std::optional(league_file); });
  ws.notify(command::file_open, Notification::Clicked);
  auto* bars = qobject_cast<QListWidget*>(ws.control(control::bar_list));
  if (bars == nullptr || bars->count() == 0) return 1;  // the league was not read
  bars->setCurrentRow(0);                               // as the user's click: the list reports it
  window.show();
  QApplication::processEvents();
  return window.grab().save(QApplication::arguments().at(2)) ? 0 : 1;
}
