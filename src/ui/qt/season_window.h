#pragma once
// The Season window on Qt Widgets: the build choices and the calendar above,
// the Weeks, Teams and Fairness tabs below, Export and Print at the bottom.
// Every rule lives in SeasonWindowLogic; this window shows what it holds and
// hands it the user's changes. Modal, owned by the main window, resizable;
// its size is kept in a small file across runs.

#include <QDialog>
#include <filesystem>

#include "ui/main_window_logic.h"
#include "ui/season_window.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QTableView;
class QTimeEdit;

namespace quintora::ui::qt {

class BreaksChart;

// The method group's ids: the four efforts 1..4, then Fairest.
constexpr int method_id(schedule::ScheduleMethod::Kind kind) { return static_cast<int>(kind) + 1; }
inline constexpr int fairest_id = method_id(schedule::ScheduleMethod::Kind::Fairest);

class SeasonWindow final : public QDialog {
  Q_OBJECT

 public:
  // Reads the size from size_file (when it holds one) and writes it back on closing.
  SeasonWindow(SeasonWindowLogic& logic, std::filesystem::path size_file, QWidget* parent = nullptr);
  ~SeasonWindow() override;

  SeasonWindowLogic& logic() { return logic_; }
  // Shows one tab: 0 Weeks, 1 Teams, 2 Fairness.
  void show_tab(int index);

  void done(int result) override;

 private:
  QWidget* build_choice_group();
  QWidget* build_calendar_group();
  QLayout* build_unavailable_column();
  QWidget* build_weeks_tab();
  QWidget* build_teams_tab();
  QWidget* build_fairness_tab();
  QLayout* build_buttons();

  void connect_calendar();
  void choice_changed();
  void dates_toggled(bool on);
  // Shows the model's verdict on a calendar change and its calendar, so a
  // refused value does not stay in its field.
  void calendar_changed(bool taken);
  void export_clicked();
  void print_clicked();

  void show_choice();
  void show_calendar();
  void show_unavailable(bool dated);
  void show_season();
  void show_weeks();
  void show_team();
  void show_fairness();
  void show_export_target();
  // The first size shows every column of the Fairness tab's tables whole.
  void fit_first_size();

  SeasonWindowLogic& logic_;
  std::filesystem::path size_file_;

  QButtonGroup* method_ = nullptr;
  QSpinBox* variant_ = nullptr;
  QSpinBox* weeks_ = nullptr;

  QCheckBox* dated_ = nullptr;
  QDateEdit* first_ = nullptr;
  QSpinBox* every_ = nullptr;
  QTimeEdit* start_ = nullptr;
  QListWidget* off_list_ = nullptr;
  QDateEdit* off_date_ = nullptr;
  QPushButton* off_add_ = nullptr;
  QPushButton* off_remove_ = nullptr;
  QListWidget* unavailable_list_ = nullptr;
  QComboBox* unavailable_who_ = nullptr;
  QDateEdit* unavailable_date_ = nullptr;
  QPushButton* unavailable_add_ = nullptr;
  QPushButton* unavailable_remove_ = nullptr;
  QLabel* calendar_status_ = nullptr;

  QTabWidget* tabs_ = nullptr;
  QLineEdit* filter_ = nullptr;
  QComboBox* division_ = nullptr;  // 0: all divisions
  QLabel* division_label_ = nullptr;
  QTableView* weeks_table_ = nullptr;
  QComboBox* team_ = nullptr;
  QTableView* fixtures_table_ = nullptr;
  QLabel* team_summary_ = nullptr;
  QLabel* totals_ = nullptr;
  QLabel* overbooked_ = nullptr;
  QTableView* team_report_ = nullptr;
  QTableView* bar_report_ = nullptr;
  BreaksChart* chart_ = nullptr;
  QSplitter* fairness_split_ = nullptr;

  QComboBox* format_ = nullptr;
  QComboBox* target_ = nullptr;
  QLabel* export_status_ = nullptr;
};

// What the program gives the main window's logic: opens a modal Season
// window owned by `owner`, its size kept in size_file.
SeasonWindowOpener season_window_opener(QWidget* owner, std::filesystem::path size_file);

}  // namespace quintora::ui::qt
