#include "ui/qt/season_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "publish/pdf/pdf.h"
#include "ui/qt/breaks_chart.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/text_table.h"
#include "ui/window_size.h"

namespace quintora::ui::qt {
namespace {

constexpr int whole_league = 0;
constexpr int chosen_team = 1;
constexpr int default_width = 1100;
constexpr int default_height = 780;

QString number(int n) { return QString::number(n); }

void show_text(QLabel* label, const std::string& text) {
  label->setText(from_utf8(text));
  label->setAccessibleDescription(label->text());
}

QDate to_qt(base::Date d) { return QDate(d.year, d.month, d.day); }
base::Date from_qt(QDate d) { return {d.year(), d.month(), d.day()}; }
QTime to_qt(base::TimeOfDay t) { return QTime(t.hour, t.minute); }
base::TimeOfDay from_qt(QTime t) { return {t.hour(), t.minute()}; }

TextTable* model_of(QTableView* view) { return static_cast<TextTable*>(view->model()); }

// Shows the rows, every column as wide as its widest cell or its heading.
void show_rows(QTableView* view, std::vector<QStringList> rows, std::vector<RowLook> looks = {}) {
  model_of(view)->set_rows(std::move(rows), std::move(looks));
  view->resizeColumnsToContents();
}

// The width that shows every column of the view whole, without scrolling.
int whole_width(const QTableView* table) {
  const QAbstractItemView* view = table;  // where sizeHintForColumn is public
  int width = 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < view->model()->columnCount(); ++c)
    width += std::max(view->sizeHintForColumn(c), table->horizontalHeader()->sectionSizeHint(c));
  return width;
}

// Calls `take` once the edit's value is finished: on Enter or on leaving
// the field, and at once for a change made without typing in it (the
// calendar pop-up), never halfway through typing a date.
template <class Take>
void when_finished(QDateTimeEdit* edit, QObject* context, Take take) {
  QObject::connect(edit, &QDateTimeEdit::dateTimeChanged, context, [edit, take] {
    if (!edit->hasFocus()) take();
  });
  QObject::connect(edit, &QDateTimeEdit::editingFinished, context, take);
}

}  // namespace

SeasonWindow::SeasonWindow(SeasonWindowLogic& logic, std::filesystem::path size_file, QWidget* parent)
    : QDialog(parent), logic_(logic), size_file_(std::move(size_file)) {
  const QString title = QStringLiteral("Season");
  setWindowTitle(logic_.season().title.empty()
                     ? title
                     : title + QStringLiteral(" - ") + from_utf8(logic_.season().title));
  setAccessibleName(title);
  setObjectName(QStringLiteral("season_window"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
  setSizeGripEnabled(true);
  setModal(true);

  // The PDF needs Qt's text engine, which the logic below Qt cannot reach;
  // the paper is the logic's choice for the user's country.
  logic_.set_paper(paper_for_country(to_utf8(QLocale::territoryToCode(QLocale::system().territory()))));
  logic_.set_pdf_renderer(publish::printable_pdf);
  if (logic_.chosen_team() == 0) logic_.choose_team(1);

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(build_choice_group());
  top->addWidget(build_calendar_group(), 1);
  layout->addLayout(top);
  tabs_ = new QTabWidget;
  tabs_->setObjectName(QStringLiteral("tabs"));
  tabs_->setAccessibleName(title);
  tabs_->addTab(build_weeks_tab(), QStringLiteral("&Weeks"));
  tabs_->addTab(build_teams_tab(), QStringLiteral("&Teams"));
  tabs_->addTab(build_fairness_tab(), QStringLiteral("Fa&irness"));
  layout->addWidget(tabs_, 1);
  layout->addLayout(build_buttons());

  show_choice();
  show_calendar();
  show_season();

  if (const std::optional<WindowSize> stored = read_window_size(size_file_)) {
    resize(stored->width, stored->height);
  } else {
    fit_first_size();
  }
}

SeasonWindow::~SeasonWindow() {
  // QWidget deletes the fields after this class is gone, and a field that has
  // the focus still reports its editing finished: let that reach nothing.
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
  logic_.set_pdf_renderer(nullptr);
}

void SeasonWindow::done(int result) {
  write_window_size(size_file_, {width(), height()});
  QDialog::done(result);
}

void SeasonWindow::show_tab(int index) { tabs_->setCurrentIndex(index); }

void SeasonWindow::fit_first_size() {
  const int teams = whole_width(team_report_);
  const int right = std::max(chart_->minimumWidth(), whole_width(bar_report_));
  fairness_split_->setSizes({teams, right});
  // The tab's margins and the splitter's handle, about four characters.
  const int wanted =
      teams + right + fontMetrics().averageCharWidth() * 4 + 2 * layout()->contentsMargins().left();
  const QScreen* where = screen();
  const int room = where != nullptr ? where->availableGeometry().width() : wanted;
  resize(std::max(default_width, std::min(wanted, room)), default_height);
}

void SeasonWindow::connect_calendar() {
  connect(dated_, &QCheckBox::toggled, this, [this](bool on) { dates_toggled(on); });
  when_finished(first_, this, [this] {
    if (!logic_.calendar() || to_qt(logic_.calendar()->first) != first_->date())
      calendar_changed(logic_.set_first_date(from_qt(first_->date())));
  });
  connect(every_, &QSpinBox::valueChanged, this,
          [this](int days) { calendar_changed(logic_.set_every_days(days)); });
  when_finished(start_, this, [this] {
    if (!logic_.calendar() || to_qt(logic_.calendar()->start) != start_->time())
      calendar_changed(logic_.set_start_time(from_qt(start_->time())));
  });
  connect(off_add_, &QPushButton::clicked, this,
          [this] { calendar_changed(logic_.add_week_off(from_qt(off_date_->date()))); });
  connect(off_remove_, &QPushButton::clicked, this, [this] {
    const QListWidgetItem* item = off_list_->currentItem();
    if (item == nullptr) return;
    calendar_changed(logic_.remove_week_off(from_qt(item->data(Qt::UserRole).toDate())));
  });
  connect(unavailable_add_, &QPushButton::clicked, this, [this] {
    const auto choices = logic_.unavailable_choices();
    const int who = unavailable_who_->currentIndex();
    if (who < 0 || who >= static_cast<int>(choices.size())) return;
    const UnavailableChoice& c = choices[static_cast<std::size_t>(who)];
    calendar_changed(logic_.add_unavailable({c.kind, c.position, from_qt(unavailable_date_->date())}));
  });
  connect(unavailable_remove_, &QPushButton::clicked, this, [this] {
    const auto rows = logic_.unavailable_rows();
    const int row = unavailable_list_->currentRow();
    if (row < 0 || row >= static_cast<int>(rows.size())) return;
    calendar_changed(logic_.remove_unavailable(rows[static_cast<std::size_t>(row)].entry));
  });
}

void SeasonWindow::choice_changed() {
  BuildChoice choice = logic_.choice();
  const int method = method_->checkedId();
  for (const schedule::ScheduleMethod::Kind kind : schedule::method_kinds) {
    if (method_id(kind) == method) choice.method.kind = kind;
  }
  choice.method.variant = variant_->value();
  choice.weeks = weeks_->value();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  logic_.set_choice(choice);
  QApplication::restoreOverrideCursor();
  show_choice();
  show_season();
}

void SeasonWindow::dates_toggled(bool on) {
  if (on) {
    calendar_changed(logic_.set_first_date(from_qt(first_->date())));
  } else {
    logic_.clear_calendar();
    calendar_changed(true);
  }
}

void SeasonWindow::calendar_changed(bool taken) {
  show_text(calendar_status_, logic_.calendar_message());
  show_calendar();
  if (taken) show_season();
}

void SeasonWindow::export_clicked() {
  const auto all = publish::formats();
  const int index = format_->currentIndex();
  if (index < 0 || index >= static_cast<int>(all.size())) return;
  const int team = target_->currentIndex() == chosen_team ? logic_.chosen_team() : 0;
  logic_.export_season(all[static_cast<std::size_t>(index)].format, team);
  show_text(export_status_, logic_.export_status());
}

void SeasonWindow::print_clicked() {
  const int team = target_->currentIndex() == chosen_team ? logic_.chosen_team() : 0;
  // The logic says in a message box why a page cannot be made.
  const std::optional<PrintJob> job = logic_.print_job(team);
  if (!job) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(job->paper == publish::Paper::Letter ? QPageSize::Letter : QPageSize::A4));
  printer.setDocName(windowTitle());
  QPrintPreviewDialog preview(&printer, this);
  preview.setWindowTitle(QStringLiteral("Print"));
  preview.setAccessibleName(QStringLiteral("Print preview"));
  // Drawn as the PDF is: a large league's pages come in a second or two,
  // again each time the paper or orientation changes in the preview.
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, &job](QPrinter* target) {
    publish::paint_printable(logic_.season(), job->options, *target);
  });
  preview.exec();
}

void SeasonWindow::show_choice() {
  const BuildChoice& c = logic_.choice();
  const QSignalBlocker b1(variant_);
  const QSignalBlocker b2(weeks_);
  if (QAbstractButton* button = method_->button(method_id(c.method.kind))) button->setChecked(true);
  variant_->setValue(c.method.variant);
  variant_->setEnabled(c.method.kind == schedule::ScheduleMethod::Kind::Fairest);
  weeks_->setValue(c.weeks);
}

void SeasonWindow::show_calendar() {
  const std::optional<league::Calendar>& calendar = logic_.calendar();
  const QSignalBlocker b1(dated_);
  const QSignalBlocker b2(first_);
  const QSignalBlocker b3(every_);
  const QSignalBlocker b4(start_);
  dated_->setChecked(calendar.has_value());
  for (QWidget* w :
       std::initializer_list<QWidget*>{first_, every_, start_, off_list_, off_date_, off_add_, off_remove_}) {
    w->setEnabled(calendar.has_value());
  }
  off_list_->clear();
  show_unavailable(calendar.has_value());
  if (!calendar) {
    every_->setValue(league::default_every_days);
    start_->setTime(to_qt(base::TimeOfDay{}));
    // Greyed out, they show where a new calendar would start, not Qt's 2000-01-01.
    off_date_->setDate(first_->date());
    unavailable_date_->setDate(first_->date());
    return;
  }
  first_->setDate(to_qt(calendar->first));
  every_->setValue(calendar->every_days);
  start_->setTime(to_qt(calendar->start));
  for (const base::Date& d : calendar->weeks_off()) {
    auto* item = new QListWidgetItem(from_utf8(display_date(d)));
    item->setData(Qt::UserRole, to_qt(d));
    off_list_->addItem(item);
  }
  // A new week off starts from a match date of the calendar.
  if (off_date_->date() < to_qt(calendar->first)) off_date_->setDate(to_qt(calendar->first));
}

void SeasonWindow::show_unavailable(bool dated) {
  for (QWidget* w : std::initializer_list<QWidget*>{unavailable_list_, unavailable_who_, unavailable_date_,
                                                    unavailable_add_, unavailable_remove_})
    w->setEnabled(dated);
  // The bars and teams stay as they are while the window is open.
  if (unavailable_who_->count() == 0) {
    for (const UnavailableChoice& c : logic_.unavailable_choices())
      unavailable_who_->addItem(from_utf8(c.text));
  }
  unavailable_list_->clear();
  for (const UnavailableRow& row : logic_.unavailable_rows()) unavailable_list_->addItem(from_utf8(row.text));
  const std::optional<league::Calendar>& calendar = logic_.calendar();
  if (calendar && unavailable_date_->date() < to_qt(calendar->first))
    unavailable_date_->setDate(to_qt(calendar->first));
}

void SeasonWindow::show_season() {
  show_weeks();
  show_team();
  show_fairness();
  show_export_target();
}

void SeasonWindow::show_weeks() {
  const std::vector<std::string>& divisions = logic_.divisions();
  if (division_->count() != static_cast<int>(divisions.size()) + (divisions.empty() ? 0 : 1)) {
    const QSignalBlocker block(division_);
    division_->clear();
    if (!divisions.empty()) division_->addItem(QStringLiteral("All divisions"));
    for (const std::string& name : divisions) division_->addItem(from_utf8(name));
  }
  division_->setVisible(!divisions.empty());
  division_label_->setVisible(!divisions.empty());
  std::vector<QStringList> rows;
  std::vector<RowLook> looks;
  const int division = std::max(division_->currentIndex(), 0);
  for (const WeekRow& r : logic_.week_rows(to_utf8(filter_->text(), 4 * 1024), division)) {
    rows.push_back({r.week > 0 ? number(r.week) : QString(), from_utf8(r.date), from_utf8(r.home),
                    from_utf8(r.away), from_utf8(r.venue)});
    looks.push_back(r.kind == RowKind::Match ? RowLook::Plain : RowLook::Dim);
  }
  show_rows(weeks_table_, std::move(rows), std::move(looks));
}

void SeasonWindow::show_team() {
  // The teams come from the season, which a refused build leaves empty.
  // Each item holds its team's number; with divisions a line parts them.
  {
    const QSignalBlocker block(team_);
    team_->clear();
    for (const TeamChoice& c : logic_.team_choices()) {
      if (c.starts_group && team_->count() > 0) team_->insertSeparator(team_->count());
      team_->addItem(from_utf8(c.text), c.team);
    }
    if (logic_.chosen_team() == 0) logic_.choose_team(1);
  }
  const int team = logic_.chosen_team();
  if (team >= 1 && team_->currentData().toInt() != team) {
    const QSignalBlocker block(team_);
    team_->setCurrentIndex(team_->findData(team));
  }
  std::vector<QStringList> rows;
  std::vector<RowLook> looks;
  for (const FixtureRow& r : logic_.fixtures(team)) {
    rows.push_back({r.week > 0 ? number(r.week) : QString(), from_utf8(r.date), from_utf8(r.opponent),
                    from_utf8(r.side), from_utf8(r.venue)});
    looks.push_back(r.kind == RowKind::Match ? RowLook::Plain : RowLook::Dim);
  }
  show_rows(fixtures_table_, std::move(rows), std::move(looks));
  show_text(team_summary_, logic_.team_summary(team));
}

void SeasonWindow::show_fairness() {
  const report::Fairness& f = logic_.fairness();
  show_text(totals_, logic_.totals_text());
  const std::string missed = logic_.missed_text();
  const std::string over = logic_.overbooked_text();
  show_text(overbooked_, missed.empty() ? over : over + "\n" + missed);

  // With divisions, a dimmed heading with its breaks comes before each division's teams.
  std::vector<QStringList> team_rows;
  std::vector<RowLook> team_looks;
  for (const TeamReportRow& r : logic_.team_report_rows()) {
    team_looks.push_back(r.team == 0 ? RowLook::Dim : RowLook::Plain);
    if (r.team == 0) {
      team_rows.push_back({QString(), from_utf8(r.heading)});
      continue;
    }
    const report::TeamLine& t = f.teams[static_cast<std::size_t>(r.team - 1)];
    team_rows.push_back({number(t.number), from_utf8(t.name), number(t.home), number(t.away), number(t.byes),
                         number(t.breaks), number(t.longest_home_run), number(t.longest_away_run)});
  }
  show_rows(team_report_, std::move(team_rows), std::move(team_looks));

  std::vector<QStringList> bar_rows;
  std::vector<RowLook> bar_looks;
  bool any_over = false;
  for (const report::BarLine& b : f.bars) {
    bar_rows.push_back({number(b.number), from_utf8(b.name), number(b.tables), number(b.most_in_a_week),
                        number(b.weeks_over_tables)});
    bar_looks.push_back(overbooked(b) ? RowLook::Alert : RowLook::Plain);
    any_over = any_over || overbooked(b);
  }
  show_rows(bar_report_, std::move(bar_rows), std::move(bar_looks));
  QPalette palette = overbooked_->palette();
  palette.setColor(QPalette::WindowText,
                   any_over ? alert_colour() : QApplication::palette().color(QPalette::WindowText));
  overbooked_->setPalette(palette);

  chart_->set_series(breaks_series(logic_));
}

void SeasonWindow::show_export_target() {
  const auto all = publish::formats();
  const int index = format_->currentIndex();
  const bool for_team = index >= 0 && index < static_cast<int>(all.size()) &&
                        logic_.exports_for_team(all[static_cast<std::size_t>(index)]);
  target_->setItemText(chosen_team, from_utf8(logic_.export_team_caption()));
  if (!for_team) target_->setCurrentIndex(whole_league);
  target_->setEnabled(for_team);
}

SeasonWindowOpener season_window_opener(QWidget* owner, std::filesystem::path size_file) {
  return [owner = QPointer<QWidget>(owner), size_file = std::move(size_file)](SeasonWindowLogic& logic) {
    SeasonWindow window(logic, size_file, owner.data());
    window.exec();
  };
}

}  // namespace quintora::ui::qt
