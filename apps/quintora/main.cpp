// Quintora, the desktop program: one main window, sized from the stored
// display size, that runs until File > Exit (or its close box) lets it go.
// `quintora LEAGUE.sch` starts with that league open.

#include <QApplication>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <filesystem>

#include "base/atomic_file.h"
#include "base/paths.h"
#include "base/system.h"
#include "ui/display_size.h"
#include "ui/file_commands.h"
#include "ui/main_window_logic.h"
#include "ui/qt/main_window.h"
#include "ui/qt/progress_runner.h"
#include "ui/qt/qt_window_system.h"
#include "ui/qt/season_window.h"
#include "ui/window_size.h"

int main(int argc, char** argv) {
  quintora::base::ignore_file_size_signal();
  QApplication app(argc, argv);
  // The settings folder is named after the program; no organisation folder.
  QApplication::setApplicationName(QStringLiteral("quintora"));
  QApplication::setDesktopFileName(QStringLiteral("org.quintora.quintora"));
  QApplication::setWindowIcon(quintora::ui::qt::application_icon());

  // The display size is kept in the user's configuration folder, not in
  // whatever folder the program happened to be started from, nor beside the
  // program: on Windows the user's application data, elsewhere the desktop's
  // configuration folder.
  std::filesystem::path config_folder = quintora::base::system_settings_folder();
  if (config_folder.empty()) {
    config_folder = quintora::base::path_from_utf8(
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toUtf8().toStdString());
  }
  const std::filesystem::path settings_file =
      config_folder / quintora::base::path_from_utf8(quintora::ui::settings_file_name);

  quintora::ui::qt::QtWindowSystem ws;
  quintora::ui::qt::MainWindow window(ws, quintora::ui::read_display_size(settings_file));
  quintora::ui::MainWindowLogic logic(ws, settings_file, [](int code) { QApplication::exit(code); });
  logic.initialise();
  logic.set_progress_runner(quintora::ui::qt::progress_runner());
  // The Season window keeps its size beside the display size, in a file of its own.
  logic.set_season_window_opener(quintora::ui::qt::season_window_opener(
      &window, config_folder / quintora::base::path_from_utf8(quintora::ui::season_window_file_name)));
  window.place_top_left();
  window.show();
  // A league file given on the command line (as the desktop passes a file
  // opened with the program) opens as File > Open would open it.
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) logic.open_given_file(arguments.at(1).toUtf8().toStdString());
  return QApplication::exec();
}
