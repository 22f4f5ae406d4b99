// Draws the main window with a sample league open and its first bar
// selected, and saves the picture: docs/main-window.png is made with it.
//   main_window_screenshot LEAGUE_FILE OUTPUT_PNG

#include <QApplication>
#include <cstdio>
#include <QListWidget>
#include <QPixmap>
#include <QTimer>
#include <QTemporaryDir>

#include "ui/main_window_logic.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_window_system.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) return 2;
  const std::string league_file = argv[1];
  const QString output = QString::fromLocal8Bit(argv[2]);

  QTemporaryDir config;
  quintora::ui::qt::QtWindowSystem ws;
  quintora::ui::qt::MainWindow window(ws, quintora::ui::DisplaySize::Small);
  quintora::ui::MainWindowLogic logic(ws, std::filesystem::path(config.path().toStdString()) / "qtra_set.dat",
                                      [](int) {});
  logic.initialise();
  ws.set_message_box_answerer([](const quintora::ui::qt::MessageBoxRequest& request) {
    std::fprintf(stderr, "%s: %s\n", request.caption.c_str(), request.text.c_str());
    return quintora::ui::Answer::Cancel;
  });
  ws.set_file_dialog_answerer([&](const quintora::ui::FileDialogRequest&) { return std::optional(league_file); });
  ws.notify(quintora::ui::command::file_open, quintora::ui::Notification::Clicked);
  auto* bars = qobject_cast<QListWidget*>(ws.control(quintora::ui::control::bar_list));
  if (bars == nullptr || bars->count() == 0) return 1;
  bars->setCurrentRow(0);  // as the user's click: the list reports it
  window.show();
  window.place_top_left();
  int result = 1;
  QTimer::singleShot(500, [&] {
    result = window.grab().save(output) ? 0 : 1;
    QApplication::exit(0);  // quit() would ask the window, which only closes through Exit
  });
  QApplication::exec();
  return result;
}
