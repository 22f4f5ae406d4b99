// Draws the Season window's three tabs for the README:
//   season_window_screenshot LEAGUE_FILE OUTPUT_FOLDER
// writes season-weeks.png, season-teams.png and season-fairness.png, with a
// calendar from Tuesday 2026-09-01 and two weeks off at Christmas.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTableView>
#include <QTemporaryDir>

#include "base/paths.h"
#include "ui/controls.h"
#include "ui/main_window_logic.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_window_system.h"
#include "ui/qt/season_window.h"

using namespace quintora;
using namespace quintora::ui;

namespace {

bool save(qt::SeasonWindow& window, int tab, const QDir& folder, const char* name) {
  window.show_tab(tab);
  QApplication::processEvents();
  return window.grab().save(folder.filePath(QString::fromLatin1(name)));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) return 2;
  const std::string league_file = QApplication::arguments().at(1).toUtf8().toStdString();
  const QDir out(QApplication::arguments().at(2));
  QTemporaryDir config;
  qt::QtWindowSystem ws;
  qt::MainWindow main_window(ws, DisplaySize::Small);
  MainWindowLogic logic(ws, base::path_from_utf8(qt::to_utf8(config.path())) / "qtra_set.dat", [](int) {});
  logic.initialise();
  ws.set_message_box_answerer([](const qt::MessageBoxRequest&) { return base::Answer::Cancel; });
  ws.set_file_dialog_answerer([&](const base::FileDialogRequest&) { return std::optional(league_file); });
  ws.notify(command::file_open, base::Notification::Clicked);
  if (logic.league().n_team == 0) return 1;  // the league was not read

  SeasonWindowLogic season(logic.league(), ws);
  if (!season.set_first_date({2026, 9, 1}) || !season.add_week_off({2026, 12, 22}) ||
      !season.add_week_off({2026, 12, 29}))
    return 1;
  qt::SeasonWindow window(season, base::path_from_utf8(qt::to_utf8(config.path())) / "season_window.dat",
                          &main_window);
  window.resize(1120, 800);
  window.show();
  QApplication::processEvents();

  // The Weeks tab at the Christmas break.
  auto* weeks = window.findChild<QTableView*>(QStringLiteral("weeks_table"));
  for (int row = 0; row < weeks->model()->rowCount(); ++row) {
    if (weeks->model()->index(row, 0).data().toString().isEmpty()) {
      weeks->scrollTo(weeks->model()->index(row, 0), QAbstractItemView::PositionAtCenter);
      break;
    }
  }
  if (!save(window, 0, out, "season-weeks.png")) return 1;

  window.findChild<QComboBox*>(QStringLiteral("team"))->setCurrentIndex(4);
  if (!save(window, 1, out, "season-teams.png")) return 1;

  return save(window, 2, out, "season-fairness.png") ? 0 : 1;
}
