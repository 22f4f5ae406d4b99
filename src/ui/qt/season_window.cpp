#include "ui/qt/season_window.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedBarSeries>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "publish/pdf/pdf.h"
#include "schedule/schedule_options.h"
#include "ui/qt/qt_window_system.h"
#include "ui/window_size.h"

namespace quintora::ui::qt {

enum class RowLook { Plain, Dim, Alert };

// The rows of one table of the window as text: what the logic laid out,
// with a look per row (byes and weeks off dimmed, overbooked bars in red).
class TextTable final : public QAbstractTableModel {
 public:
  TextTable(QStringList headers, QObject* parent)
      : QAbstractTableModel(parent), headers_(std::move(headers)) {}

  void set_rows(std::vector<QStringList> rows, std::vector<RowLook> looks) {
    beginResetModel();
    rows_ = std::move(rows);
    looks_ = std::move(looks);
    endResetModel();
  }
  // Columns of numbers are aligned to the right.
  void set_numeric(std::vector<int> columns) { numeric_ = std::move(columns); }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const RowLook look = row < looks_.size() ? looks_[row] : RowLook::Plain;
    switch (role) {
      case Qt::DisplayRole:
      case Qt::AccessibleTextRole:
        return index.column() < rows_[row].size() ? rows_[row][index.column()] : QString();
      case Qt::ForegroundRole:
        if (look == RowLook::Alert) return QColor(Qt::red).darker(120);
        if (look == RowLook::Dim) return QApplication::palette().color(QPalette::PlaceholderText);
        return {};
      case Qt::FontRole:
        if (look == RowLook::Dim) {
          QFont font;
          font.setItalic(true);
          return font;
        }
        return {};
      case Qt::TextAlignmentRole:
        if (std::find(numeric_.begin(), numeric_.end(), index.column()) != numeric_.end())
          return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
      default:
        return {};
    }
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < headers_.size())
      return headers_[section];
    return QAbstractTableModel::headerData(section, orientation, role);
  }

 private:
  QStringList headers_;
  std::vector<QStringList> rows_;
  std::vector<RowLook> looks_;
  std::vector<int> numeric_;
};

namespace {

// The method group's ids: the four efforts 1..4, then Fairest.
constexpr int method_id(schedule::ScheduleMethod::Kind kind) { return static_cast<int>(kind) + 1; }
constexpr int fairest_id = method_id(schedule::ScheduleMethod::Kind::Fairest);
constexpr int whole_league = 0;
constexpr int chosen_team = 1;

QString text(std::string_view utf8) { return from_utf8(utf8); }
QString number(int n) { return QString::number(n); }

QString without_colon(QString label) {
  label.remove(QLatin1Char('&'));
  label = label.trimmed();
  if (label.endsWith(QLatin1Char(':'))) label.chop(1);
  return label.trimmed();
}

// A label for a field; the field takes its text as its accessible name.
QLabel* label_for(const QString& caption, QWidget* field) {
  auto* label = new QLabel(caption);
  label->setBuddy(field);
  field->setAccessibleName(without_colon(caption));
  return label;
}

template <class W>
W* named(W* widget, const QString& object_name, const QString& accessible_name) {
  widget->setObjectName(object_name);
  widget->setAccessibleName(accessible_name);
  return widget;
}

QDate to_qt(base::Date d) { return QDate(d.year, d.month, d.day); }
base::Date from_qt(QDate d) { return {d.year(), d.month(), d.day()}; }
QTime to_qt(base::TimeOfDay t) { return QTime(t.hour, t.minute); }
base::TimeOfDay from_qt(QTime t) { return {t.hour(), t.minute()}; }

QTableView* table_view(TextTable* model, const QString& object_name, const QString& accessible_name) {
  auto* view = named(new QTableView, object_name, accessible_name);
  view->setModel(model);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setAlternatingRowColors(true);
  view->setWordWrap(false);
  view->verticalHeader()->setVisible(false);
  view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
  view->horizontalHeader()->setHighlightSections(false);
  view->horizontalHeader()->setStretchLastSection(true);
  return view;
}

// Column widths that fit what the table holds, once it holds it.
void fit_columns(QTableView* view) { view->resizeColumnsToContents(); }

QTableView* view_of(TextTable* model) { return qobject_cast<QTableView*>(model->parent()); }

publish::Paper paper_of_locale() {
  const QLocale::Country country = QLocale::system().territory();
  // Letter where Letter is the paper in the shops; A4 everywhere else.
  return country == QLocale::UnitedStates || country == QLocale::Canada || country == QLocale::Mexico
             ? publish::Paper::Letter
             : publish::Paper::A4;
}

}  // namespace

SeasonWindow::SeasonWindow(SeasonWindowLogic& logic, std::filesystem::path size_file, QWidget* parent)
    : QDialog(parent), logic_(logic), size_file_(std::move(size_file)) {
  const QString title = QStringLiteral("Season");
  setWindowTitle(logic_.season().title.empty() ? title
                                               : title + QStringLiteral(" - ") + text(logic_.season().title));
  setAccessibleName(title);
  setObjectName(QStringLiteral("season_window"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
  setSizeGripEnabled(true);
  setModal(true);

  // The PDF needs Qt's text engine, which the logic below Qt cannot reach.
  const publish::Paper paper = paper_of_locale();
  logic_.set_pdf_renderer([paper](const season::Season& season, const publish::Options& options) {
    return publish::printable_pdf(season, options, paper);
  });
  if (logic_.chosen_team() == 0) logic_.choose_team(1);

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(build_choice_group());
  top->addWidget(build_calendar_group(), 1);
  layout->addLayout(top);
  tabs_ = named(new QTabWidget, QStringLiteral("tabs"), QStringLiteral("Season"));
  tabs_->addTab(build_weeks_tab(), QStringLiteral("&Weeks"));
  tabs_->addTab(build_teams_tab(), QStringLiteral("&Teams"));
  tabs_->addTab(build_fairness_tab(), QStringLiteral("&Fairness"));
  layout->addWidget(tabs_, 1);
  layout->addLayout(build_buttons());

  show_choice();
  show_calendar();
  show_season();

  resize(1100, 780);
  if (const std::optional<WindowSize> stored = read_window_size(size_file_))
    resize(stored->width, stored->height);
}

SeasonWindow::~SeasonWindow() { logic_.set_pdf_renderer(nullptr); }

void SeasonWindow::done(int result) {
  write_window_size(size_file_, {width(), height()});
  QDialog::done(result);
}

void SeasonWindow::show_tab(int index) { tabs_->setCurrentIndex(index); }

QWidget* SeasonWindow::build_choice_group() {
  auto* group = named(new QGroupBox(QStringLiteral("How to build")), QStringLiteral("build_group"),
                      QStringLiteral("How to build"));
  auto* grid = new QGridLayout(group);
  method_ = new QButtonGroup(this);
  const std::pair<schedule::ScheduleMethod::Kind, const char*> methods[] = {
      {schedule::ScheduleMethod::Kind::TableOrder, "effort_no"},
      {schedule::ScheduleMethod::Kind::Search, "effort_yes"},
      {schedule::ScheduleMethod::Kind::SearchHarder, "effort_harder"},
      {schedule::ScheduleMethod::Kind::SearchHardest, "effort_hardest"},
      {schedule::ScheduleMethod::Kind::Fairest, "effort_fairest"}};
  auto* alternation = new QLabel(QStringLiteral("Maximize Home-Away Game Alternation:"));
  grid->addWidget(alternation, 0, 0, 1, 2);
  int row = 1;
  for (const auto& [kind, object_name] : methods) {
    const QString caption = text(schedule::method_caption(kind));
    const int id = method_id(kind);
    auto* button = named(new QRadioButton(caption), QString::fromLatin1(object_name), caption);
    method_->addButton(button, id);
    if (id == fairest_id) {
      grid->addWidget(button, 3, 0, 1, 2);
    } else {
      grid->addWidget(button, row + (id - 1) / 2, (id - 1) % 2);
    }
  }
  variant_ = named(new QSpinBox, QStringLiteral("variant"), QString());
  variant_->setRange(1, schedule::max_variant);
  variant_->setKeyboardTracking(false);
  auto* variant_row = new QHBoxLayout;
  variant_row->addSpacing(24);
  variant_row->addWidget(label_for(QStringLiteral("&Variant:"), variant_));
  variant_row->addWidget(variant_);
  variant_row->addStretch();
  grid->addLayout(variant_row, 4, 0, 1, 2);

  weeks_ = named(new QSpinBox, QStringLiteral("weeks"), QString());
  weeks_->setRange(0, schedule::max_season_weeks);
  weeks_->setKeyboardTracking(false);
  auto* weeks_row = new QHBoxLayout;
  weeks_row->addWidget(label_for(QStringLiteral("&Length of season:"), weeks_));
  weeks_row->addWidget(weeks_);
  weeks_row->addWidget(new QLabel(QStringLiteral("weeks")));
  weeks_row->addStretch();
  grid->addLayout(weeks_row, 5, 0, 1, 2);
  grid->setRowStretch(6, 1);

  connect(method_, &QButtonGroup::idClicked, this, [this] { choice_changed(); });
  connect(variant_, &QSpinBox::valueChanged, this, [this] { choice_changed(); });
  connect(weeks_, &QSpinBox::valueChanged, this, [this] { choice_changed(); });
  return group;
}

QWidget* SeasonWindow::build_calendar_group() {
  auto* group = named(new QGroupBox(QStringLiteral("Calendar")), QStringLiteral("calendar_group"),
                      QStringLiteral("Calendar"));
  auto* columns = new QHBoxLayout(group);

  auto* fields = new QFormLayout;
  const QString dated_text = QStringLiteral("&Give the weeks dates");
  dated_ = named(new QCheckBox(dated_text), QStringLiteral("dated"), without_colon(dated_text));
  fields->addRow(dated_);
  first_ = named(new QDateEdit, QStringLiteral("first_date"), QString());
  first_->setCalendarPopup(true);
  first_->setDisplayFormat(QStringLiteral("ddd yyyy-MM-dd"));
  first_->setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
  first_->setKeyboardTracking(false);
  first_->setDate(QDate::currentDate());  // where a new calendar starts
  fields->addRow(label_for(QStringLiteral("&First match date:"), first_), first_);
  every_ = named(new QSpinBox, QStringLiteral("every_days"), QString());
  // 0 can be typed, so the field can say why it is not taken.
  every_->setRange(0, max_every_days);
  every_->setKeyboardTracking(false);
  every_->setSuffix(QStringLiteral(" days"));
  fields->addRow(label_for(QStringLiteral("Days &between weeks:"), every_), every_);
  start_ = named(new QTimeEdit, QStringLiteral("start_time"), QString());
  start_->setDisplayFormat(QStringLiteral("HH:mm"));
  start_->setKeyboardTracking(false);
  fields->addRow(label_for(QStringLiteral("&Start time:"), start_), start_);
  columns->addLayout(fields);

  auto* off = new QGridLayout;
  off_list_ = named(new QListWidget, QStringLiteral("weeks_off"), QString());
  off_list_->setMaximumHeight(fontMetrics().height() * 6);
  off_list_->setMinimumWidth(fontMetrics().averageCharWidth() * 18);
  off->addWidget(label_for(QStringLiteral("Weeks &off:"), off_list_), 0, 0);
  off->addWidget(off_list_, 1, 0, 3, 1);
  off_date_ = named(new QDateEdit, QStringLiteral("week_off_date"), QString());
  off_date_->setCalendarPopup(true);
  off_date_->setDisplayFormat(QStringLiteral("ddd yyyy-MM-dd"));
  off_date_->setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
  off->addWidget(label_for(QStringLiteral("Week o&ff to add:"), off_date_), 0, 1);
  off->addWidget(off_date_, 1, 1);
  off_add_ = named(new QPushButton(QStringLiteral("&Add")), QStringLiteral("add_week_off"),
                   QStringLiteral("Add week off"));
  off_remove_ = named(new QPushButton(QStringLiteral("&Remove")), QStringLiteral("remove_week_off"),
                      QStringLiteral("Remove week off"));
  auto* off_buttons = new QHBoxLayout;
  off_buttons->addWidget(off_add_);
  off_buttons->addWidget(off_remove_);
  off->addLayout(off_buttons, 2, 1);
  off->setRowStretch(3, 1);
  columns->addLayout(off, 1);

  calendar_status_ = named(new QLabel, QStringLiteral("calendar_status"), QStringLiteral("Calendar status"));
  calendar_status_->setWordWrap(true);
  calendar_status_->setTextFormat(Qt::PlainText);
  calendar_status_->setMinimumWidth(fontMetrics().averageCharWidth() * 24);
  QPalette alert = calendar_status_->palette();
  alert.setColor(QPalette::WindowText, QColor(Qt::red).darker(120));
  calendar_status_->setPalette(alert);
  calendar_status_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  columns->addWidget(calendar_status_, 1);

  connect(dated_, &QCheckBox::toggled, this, [this](bool on) { dates_toggled(on); });
  connect(first_, &QDateEdit::dateChanged, this,
          [this](QDate date) { calendar_changed(logic_.set_first_date(from_qt(date))); });
  connect(every_, &QSpinBox::valueChanged, this,
          [this](int days) { calendar_changed(logic_.set_every_days(days)); });
  connect(start_, &QTimeEdit::timeChanged, this,
          [this](QTime time) { calendar_changed(logic_.set_start_time(from_qt(time))); });
  connect(off_add_, &QPushButton::clicked, this,
          [this] { calendar_changed(logic_.add_week_off(from_qt(off_date_->date()))); });
  connect(off_remove_, &QPushButton::clicked, this, [this] {
    const QListWidgetItem* item = off_list_->currentItem();
    if (item == nullptr) return;
    calendar_changed(logic_.remove_week_off(from_qt(item->data(Qt::UserRole).toDate())));
  });
  return group;
}

QWidget* SeasonWindow::build_weeks_tab() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* filter_row = new QHBoxLayout;
  filter_ = named(new QLineEdit, QStringLiteral("filter"), QString());
  filter_->setClearButtonEnabled(true);
  filter_->setPlaceholderText(QStringLiteral("a team or a bar"));
  filter_row->addWidget(label_for(QStringLiteral("Show &only:"), filter_));
  filter_row->addWidget(filter_, 1);
  layout->addLayout(filter_row);
  weeks_table_ = new TextTable({QStringLiteral("Week"), QStringLiteral("Date"), QStringLiteral("Home team"),
                                QStringLiteral("Away team"), QStringLiteral("Venue")},
                               this);
  weeks_table_->set_numeric({0});
  QTableView* view = table_view(weeks_table_, QStringLiteral("weeks_table"), QStringLiteral("Weeks"));
  weeks_table_->setParent(view);
  layout->addWidget(view, 1);
  connect(filter_, &QLineEdit::textChanged, this, [this] { show_weeks(); });
  return page;
}

QWidget* SeasonWindow::build_teams_tab() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* pick_row = new QHBoxLayout;
  team_ = named(new QComboBox, QStringLiteral("team"), QString());
  team_->setMinimumContentsLength(24);
  pick_row->addWidget(label_for(QStringLiteral("Te&am:"), team_));
  pick_row->addWidget(team_);
  pick_row->addStretch();
  layout->addLayout(pick_row);
  team_summary_ = named(new QLabel, QStringLiteral("team_summary"), QStringLiteral("The team's report line"));
  team_summary_->setTextFormat(Qt::PlainText);
  team_summary_->setWordWrap(true);
  layout->addWidget(team_summary_);
  fixtures_table_ = new TextTable({QStringLiteral("Week"), QStringLiteral("Date"), QStringLiteral("Opponent"),
                                   QStringLiteral("Home or away"), QStringLiteral("Venue")},
                                  this);
  fixtures_table_->set_numeric({0});
  QTableView* view =
      table_view(fixtures_table_, QStringLiteral("fixtures_table"), QStringLiteral("Fixtures"));
  fixtures_table_->setParent(view);
  layout->addWidget(view, 1);
  connect(team_, &QComboBox::currentIndexChanged, this, [this](int index) {
    logic_.choose_team(index + 1);
    show_team();
    show_export_target();
  });
  return page;
}

QWidget* SeasonWindow::build_fairness_tab() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  totals_ = named(new QLabel, QStringLiteral("totals"), QStringLiteral("Breaks against the minimum"));
  totals_->setTextFormat(Qt::PlainText);
  totals_->setWordWrap(true);
  QFont bold = totals_->font();
  bold.setBold(true);
  totals_->setFont(bold);
  totals_->setToolTip(
      QStringLiteral("A break is a team at home twice running, or away twice running, over the weeks it "
                     "plays. The fewest possible follows de Werra, \"Scheduling in sports\", 1981."));
  layout->addWidget(totals_);
  overbooked_ = named(new QLabel, QStringLiteral("overbooked"), QStringLiteral("Bars over their tables"));
  overbooked_->setTextFormat(Qt::PlainText);
  overbooked_->setWordWrap(true);
  layout->addWidget(overbooked_);

  // The teams' table on the left; the chart and the bars' table on the right.
  auto* split = new QSplitter(Qt::Horizontal);
  team_report_ =
      new TextTable({QStringLiteral("#"), QStringLiteral("Team"), QStringLiteral("Home"),
                     QStringLiteral("Away"), QStringLiteral("Not Playing"), QStringLiteral("Breaks"),
                     QStringLiteral("Longest home run"), QStringLiteral("Longest away run")},
                    this);
  team_report_->set_numeric({0, 2, 3, 4, 5, 6, 7});
  QTableView* teams_view = table_view(team_report_, QStringLiteral("team_report"), QStringLiteral("Teams"));
  team_report_->setParent(teams_view);
  split->addWidget(teams_view);

  auto* right = new QSplitter(Qt::Vertical);
  chart_ = named(new QChartView, QStringLiteral("breaks_chart"), QStringLiteral("Breaks per team"));
  chart_->setRenderHint(QPainter::Antialiasing);
  chart_->setMinimumSize(fontMetrics().averageCharWidth() * 40, fontMetrics().height() * 14);
  right->addWidget(chart_);
  bar_report_ = new TextTable({QStringLiteral("#"), QStringLiteral("Bar"), QStringLiteral("Tables"),
                               QStringLiteral("Most in a week"), QStringLiteral("Weeks over tables")},
                              this);
  bar_report_->set_numeric({0, 2, 3, 4});
  QTableView* bars_view = table_view(bar_report_, QStringLiteral("bar_report"), QStringLiteral("Bars"));
  bar_report_->setParent(bars_view);
  right->addWidget(bars_view);
  right->setSizes({3000, 2000});
  split->addWidget(right);
  split->setSizes({5500, 4500});
  layout->addWidget(split, 1);
  return page;
}

QLayout* SeasonWindow::build_buttons() {
  auto* row = new QHBoxLayout;
  format_ = named(new QComboBox, QStringLiteral("export_format"), QString());
  for (const publish::FormatInfo& f : publish::formats()) format_->addItem(text(f.description));
  row->addWidget(label_for(QStringLiteral("E&xport as:"), format_));
  row->addWidget(format_);
  target_ = named(new QComboBox, QStringLiteral("export_for"), QString());
  target_->addItem(QStringLiteral("Whole league"));
  target_->addItem(QString());  // the team of the Teams tab, named in show_export_target
  row->addWidget(label_for(QStringLiteral("F&or:"), target_));
  row->addWidget(target_);
  export_status_ = named(new QLabel, QStringLiteral("export_status"), QStringLiteral("Export status"));
  export_status_->setTextFormat(Qt::PlainText);
  export_status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  row->addWidget(export_status_, 1);
  auto* export_button = named(new QPushButton(QStringLiteral("&Export...")), QStringLiteral("export"),
                              QStringLiteral("Export"));
  auto* print_button =
      named(new QPushButton(QStringLiteral("&Print...")), QStringLiteral("print"), QStringLiteral("Print"));
  auto* close_button =
      named(new QPushButton(QStringLiteral("&Close")), QStringLiteral("close"), QStringLiteral("Close"));
  for (QPushButton* b : {export_button, print_button, close_button}) {
    b->setAutoDefault(false);
    row->addWidget(b);
  }
  connect(format_, &QComboBox::currentIndexChanged, this, [this] { show_export_target(); });
  connect(export_button, &QPushButton::clicked, this, [this] { export_clicked(); });
  connect(print_button, &QPushButton::clicked, this, [this] { print_clicked(); });
  connect(close_button, &QPushButton::clicked, this, &QDialog::accept);
  return row;
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
  calendar_status_->setText(text(logic_.calendar_message()));
  show_calendar();
  if (taken) show_season();
}

void SeasonWindow::export_clicked() {
  const auto all = publish::formats();
  const int index = format_->currentIndex();
  if (index < 0 || index >= static_cast<int>(all.size())) return;
  const int team = target_->currentIndex() == chosen_team ? logic_.chosen_team() : 0;
  logic_.export_season(all[static_cast<std::size_t>(index)].format, team);
  export_status_->setText(text(logic_.export_status()));
}

void SeasonWindow::print_clicked() {
  const int team = target_->currentIndex() == chosen_team ? logic_.chosen_team() : 0;
  // The logic says in a message box why a page cannot be made.
  if (!logic_.page_to_print(team)) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(paper_of_locale() == publish::Paper::Letter ? QPageSize(QPageSize::Letter)
                                                                  : QPageSize(QPageSize::A4));
  printer.setDocName(windowTitle());
  QPrintPreviewDialog preview(&printer, this);
  preview.setWindowTitle(QStringLiteral("Print"));
  preview.setAccessibleName(QStringLiteral("Print preview"));
  // Drawn as the PDF is: a large league's pages come in a second or two,
  // again each time the paper or orientation changes in the preview.
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, team](QPrinter* target) {
    publish::Options options;
    options.team = team;
    publish::paint_printable(logic_.season(), options, *target);
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
  const std::optional<Calendar>& calendar = logic_.calendar();
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
  if (!calendar) {
    every_->setValue(default_every_days);
    start_->setTime(to_qt(base::TimeOfDay{}));
    return;
  }
  first_->setDate(to_qt(calendar->first));
  every_->setValue(calendar->every_days);
  start_->setTime(to_qt(calendar->start));
  for (const base::Date& d : calendar->weeks_off()) {
    auto* item = new QListWidgetItem(text(display_date(d)));
    item->setData(Qt::UserRole, to_qt(d));
    off_list_->addItem(item);
  }
  // A new week off starts from a match date of the calendar.
  if (off_date_->date() < to_qt(calendar->first)) off_date_->setDate(to_qt(calendar->first));
}

void SeasonWindow::show_season() {
  show_weeks();
  show_team();
  show_fairness();
  show_export_target();
}

void SeasonWindow::show_weeks() {
  std::vector<QStringList> rows;
  std::vector<RowLook> looks;
  for (const WeekRow& r : logic_.week_rows(to_utf8(filter_->text(), 4 * 1024))) {
    rows.push_back(
        {r.week > 0 ? number(r.week) : QString(), text(r.date), text(r.home), text(r.away), text(r.venue)});
    looks.push_back(r.kind == RowKind::Match ? RowLook::Plain : RowLook::Dim);
  }
  weeks_table_->set_rows(std::move(rows), std::move(looks));
  fit_columns(view_of(weeks_table_));
}

void SeasonWindow::show_team() {
  // The teams come from the season, which a refused build leaves empty.
  if (team_->count() != logic_.team_count()) {
    const QSignalBlocker block(team_);
    team_->clear();
    for (int t = 1; t <= logic_.team_count(); ++t) {
      team_->addItem(number(t) + QStringLiteral("  ") + text(logic_.season().team(t).name));
    }
    if (logic_.chosen_team() == 0) logic_.choose_team(1);
  }
  const int team = logic_.chosen_team();
  if (team >= 1 && team_->currentIndex() != team - 1) {
    const QSignalBlocker block(team_);
    team_->setCurrentIndex(team - 1);
  }
  std::vector<QStringList> rows;
  std::vector<RowLook> looks;
  for (const FixtureRow& r : logic_.fixtures(team)) {
    rows.push_back({r.week > 0 ? number(r.week) : QString(), text(r.date), text(r.opponent), text(r.side),
                    text(r.venue)});
    looks.push_back(r.kind == RowKind::Match ? RowLook::Plain : RowLook::Dim);
  }
  fixtures_table_->set_rows(std::move(rows), std::move(looks));
  fit_columns(view_of(fixtures_table_));
  team_summary_->setText(text(logic_.team_summary(team)));
}

void SeasonWindow::show_fairness() {
  const report::Fairness& f = logic_.fairness();
  totals_->setText(text(logic_.totals_text()));
  overbooked_->setText(text(logic_.overbooked_text()));
  bool any_over = false;

  std::vector<QStringList> team_rows;
  for (const report::TeamLine& t : f.teams) {
    team_rows.push_back({number(t.number), text(t.name), number(t.home), number(t.away), number(t.byes),
                         number(t.breaks), number(t.longest_home_run), number(t.longest_away_run)});
  }
  team_report_->set_rows(std::move(team_rows), {});
  fit_columns(view_of(team_report_));

  std::vector<QStringList> bar_rows;
  std::vector<RowLook> bar_looks;
  for (const report::BarLine& b : f.bars) {
    bar_rows.push_back({number(b.number), text(b.name), number(b.tables), number(b.most_in_a_week),
                        number(b.weeks_over_tables)});
    bar_looks.push_back(logic_.overbooked(b) ? RowLook::Alert : RowLook::Plain);
    any_over = any_over || logic_.overbooked(b);
  }
  bar_report_->set_rows(std::move(bar_rows), std::move(bar_looks));
  fit_columns(view_of(bar_report_));
  QPalette palette = overbooked_->palette();
  palette.setColor(QPalette::WindowText, any_over ? QColor(Qt::red).darker(120)
                                                  : QApplication::palette().color(QPalette::WindowText));
  overbooked_->setPalette(palette);

  // Breaks per team; a team whose home bar was over its tables in some week
  // is drawn in red, so the chart shows both at a glance.
  auto* chart = new QChart;
  chart->setTitle(QStringLiteral("Breaks per team"));
  chart->setAnimationOptions(QChart::NoAnimation);
  auto* within = new QBarSet(QStringLiteral("Breaks"));
  within->setColor(QColor(0x3b, 0x6e, 0xa5));
  auto* over = new QBarSet(QStringLiteral("Breaks, home bar over its tables"));
  over->setColor(QColor(0xc6, 0x28, 0x28));
  QStringList categories;
  int most = 0;
  for (const report::TeamLine& t : f.teams) {
    const bool red = logic_.home_bar_overbooked(t.number);
    *within << (red ? 0 : t.breaks);
    *over << (red ? t.breaks : 0);
    categories << number(t.number);
    most = std::max(most, t.breaks);
  }
  auto* series = new QStackedBarSeries;
  series->append(within);
  if (any_over) {
    series->append(over);
  } else {
    delete over;
  }
  series->setBarWidth(0.7);
  chart->addSeries(series);
  auto* x = new QBarCategoryAxis;
  x->append(categories);
  // Numbers of many teams would only overlap; the table beside names them.
  constexpr int most_labels = 30;
  const bool labelled = categories.size() <= most_labels;
  x->setLabelsVisible(labelled);
  x->setTitleText(QStringLiteral("Team"));
  x->setTitleVisible(labelled);
  if (!labelled)
    chart->setTitle(QStringLiteral("Breaks per team, teams 1 to ") + QString::number(categories.size()));
  chart->addAxis(x, Qt::AlignBottom);
  series->attachAxis(x);
  auto* y = new QValueAxis;
  y->setRange(0, std::max(most, 1));
  y->setTickType(QValueAxis::TicksDynamic);
  y->setTickAnchor(0);
  y->setTickInterval(std::max(1, (most + 5) / 6));
  y->setLabelFormat(QStringLiteral("%d"));
  y->setTitleText(QStringLiteral("Breaks"));
  chart->addAxis(y, Qt::AlignLeft);
  series->attachAxis(y);
  chart->legend()->setVisible(true);
  chart->legend()->setAlignment(Qt::AlignBottom);
  QChart* old = chart_->chart();
  chart_->setChart(chart);
  delete old;
}

void SeasonWindow::show_export_target() {
  const auto all = publish::formats();
  const int index = format_->currentIndex();
  const bool per_team =
      index >= 0 && index < static_cast<int>(all.size()) && all[static_cast<std::size_t>(index)].per_team;
  const int team = logic_.chosen_team();
  target_->setItemText(chosen_team, team >= 1
                                        ? QStringLiteral("Team: ") + text(logic_.season().team(team).name)
                                        : QStringLiteral("Team on the Teams tab"));
  if (!per_team) target_->setCurrentIndex(whole_league);
  target_->setEnabled(per_team && team >= 1);
}

SeasonWindowOpener season_window_opener(QWidget* owner, std::filesystem::path size_file) {
  return [owner = QPointer<QWidget>(owner), size_file = std::move(size_file)](SeasonWindowLogic& logic) {
    SeasonWindow window(logic, size_file, owner.data());
    window.exec();
  };
}

}  // namespace quintora::ui::qt
