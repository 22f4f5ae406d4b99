// The Season window's form: its groups, tabs and buttons, each control named
// for assistive technology and each access key used once.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "publish/publish.h"
#include "schedule/schedule_options.h"
#include "ui/qt/breaks_chart.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/season_window.h"
#include "ui/qt/text_table.h"

namespace quintora::ui::qt {
namespace {

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

// A line of text that changes: a screen reader reads its text (numbers and
// all) as its description, as it does the main window's displays.
QLabel* display(const QString& object_name, const QString& accessible_name) {
  auto* label = named(new QLabel, object_name, accessible_name);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  return label;
}

// A read-only table. Tab leaves it for the next control; the arrow keys move
// inside it. `stretch` is the column of names, which takes the room left.
QTableView* table_view(QStringList headers, std::vector<int> numeric, int stretch, const QString& object_name,
                       const QString& accessible_name) {
  auto* view = named(new QTableView, object_name, accessible_name);
  view->setModel(new TextTable(std::move(headers), std::move(numeric), view));
  view->setTabKeyNavigation(false);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setAlternatingRowColors(true);
  view->setWordWrap(false);
  view->verticalHeader()->setVisible(false);
  view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
  view->horizontalHeader()->setHighlightSections(false);
  view->horizontalHeader()->setStretchLastSection(stretch < 0);
  if (stretch >= 0) view->horizontalHeader()->setSectionResizeMode(stretch, QHeaderView::Stretch);
  return view;
}

QDateEdit* date_edit(const QString& object_name) {
  auto* edit = named(new QDateEdit, object_name, QString());
  edit->setCalendarPopup(true);
  edit->setDisplayFormat(QStringLiteral("ddd yyyy-MM-dd"));
  edit->setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
  return edit;
}

QPushButton* push_button(const QString& caption, const QString& object_name, const QString& accessible_name) {
  auto* button = named(new QPushButton(caption), object_name, accessible_name);
  button->setAutoDefault(false);  // Enter in a field takes that field, and presses nothing
  return button;
}

}  // namespace

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
  grid->addWidget(new QLabel(QStringLiteral("Maximize Home-Away Game Alternation:")), 0, 0, 1, 2);
  for (const auto& [kind, object_name] : methods) {
    const QString caption = from_utf8(schedule::method_caption(kind));
    const int id = method_id(kind);
    auto* button = named(new QRadioButton(caption), QString::fromLatin1(object_name), caption);
    method_->addButton(button, id);
    if (id == fairest_id) {
      grid->addWidget(button, 3, 0, 1, 2);
    } else {
      grid->addWidget(button, 1 + (id - 1) / 2, (id - 1) % 2);
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
  auto* rows = new QVBoxLayout(group);
  auto* columns = new QHBoxLayout;
  rows->addLayout(columns);

  auto* fields = new QFormLayout;
  const QString dated_text = QStringLiteral("&Give the weeks dates");
  dated_ = named(new QCheckBox(dated_text), QStringLiteral("dated"), without_colon(dated_text));
  fields->addRow(dated_);
  first_ = date_edit(QStringLiteral("first_date"));
  first_->setDate(QDate::currentDate());  // where a new calendar starts
  fields->addRow(label_for(QStringLiteral("&First match date:"), first_), first_);
  every_ = named(new QSpinBox, QStringLiteral("every_days"), QString());
  // 0 can be typed, so the field can say why it is not taken.
  every_->setRange(0, league::max_every_days);
  every_->setKeyboardTracking(false);
  every_->setSuffix(QStringLiteral(" days"));
  fields->addRow(label_for(QStringLiteral("Days &between weeks:"), every_), every_);
  start_ = named(new QTimeEdit, QStringLiteral("start_time"), QString());
  start_->setDisplayFormat(QStringLiteral("HH:mm"));
  fields->addRow(label_for(QStringLiteral("&Start time:"), start_), start_);
  columns->addLayout(fields);

  auto* off = new QGridLayout;
  off_list_ = named(new QListWidget, QStringLiteral("weeks_off"), QString());
  off_list_->setMaximumHeight(fontMetrics().height() * 6);
  off_list_->setMinimumWidth(fontMetrics().averageCharWidth() * 18);
  off->addWidget(label_for(QStringLiteral("Wee&ks off:"), off_list_), 0, 0);
  off->addWidget(off_list_, 1, 0, 3, 1);
  off_date_ = date_edit(QStringLiteral("week_off_date"));
  off->addWidget(label_for(QStringLiteral("Week off to a&dd:"), off_date_), 0, 1);
  off->addWidget(off_date_, 1, 1);
  off_add_ =
      push_button(QStringLiteral("&Add"), QStringLiteral("add_week_off"), QStringLiteral("Add week off"));
  off_remove_ = push_button(QStringLiteral("&Remove"), QStringLiteral("remove_week_off"),
                            QStringLiteral("Remove week off"));
  auto* off_buttons = new QHBoxLayout;
  off_buttons->addWidget(off_add_);
  off_buttons->addWidget(off_remove_);
  off->addLayout(off_buttons, 2, 1);
  off->setRowStretch(3, 1);
  columns->addLayout(off, 1);
  columns->addLayout(build_unavailable_column(), 1);

  calendar_status_ = display(QStringLiteral("calendar_status"), QStringLiteral("Calendar status"));

  QPalette alert = calendar_status_->palette();
  alert.setColor(QPalette::WindowText, alert_colour());
  calendar_status_->setPalette(alert);
  calendar_status_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  // Under the fields, the width of the group: the window keeps its width.
  rows->addWidget(calendar_status_);
  connect_calendar();
  return group;
}

// The dates a bar hosts nothing or a team plays no home match.
QLayout* SeasonWindow::build_unavailable_column() {
  auto* column = new QGridLayout;
  unavailable_list_ = named(new QListWidget, QStringLiteral("unavailable"), QString());
  unavailable_list_->setMaximumHeight(fontMetrics().height() * 6);
  unavailable_list_->setMinimumWidth(fontMetrics().averageCharWidth() * 24);
  column->addWidget(label_for(QStringLiteral("&Unavailable dates:"), unavailable_list_), 0, 0);
  column->addWidget(unavailable_list_, 1, 0, 4, 1);
  unavailable_who_ = named(new QComboBox, QStringLiteral("unavailable_who"), QString());
  unavailable_who_->setMinimumContentsLength(16);
  unavailable_who_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  column->addWidget(label_for(QStringLiteral("W&ho:"), unavailable_who_), 0, 1);
  column->addWidget(unavailable_who_, 1, 1);
  unavailable_date_ = date_edit(QStringLiteral("unavailable_date"));
  column->addWidget(label_for(QStringLiteral("Da&y:"), unavailable_date_), 2, 1);
  column->addWidget(unavailable_date_, 3, 1);
  unavailable_add_ = push_button(QStringLiteral("Add"), QStringLiteral("add_unavailable"),
                                 QStringLiteral("Add unavailable date"));
  unavailable_remove_ = push_button(QStringLiteral("Remove"), QStringLiteral("remove_unavailable"),
                                    QStringLiteral("Remove unavailable date"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(unavailable_add_);
  buttons->addWidget(unavailable_remove_);
  column->addLayout(buttons, 4, 1);
  column->setRowStretch(4, 1);
  return column;
}

QWidget* SeasonWindow::build_weeks_tab() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* filter_row = new QHBoxLayout;
  filter_ = named(new QLineEdit, QStringLiteral("filter"), QString());
  filter_->setClearButtonEnabled(true);
  for (QToolButton* clear : filter_->findChildren<QToolButton*>())
    clear->setAccessibleName(QStringLiteral("Clear Show only"));
  filter_->setPlaceholderText(QStringLiteral("a team or a bar"));
  filter_row->addWidget(label_for(QStringLiteral("Show o&nly:"), filter_));
  filter_row->addWidget(filter_, 1);
  // Shown only while the season has more than one division.
  division_ = named(new QComboBox, QStringLiteral("division_filter"), QString());
  division_label_ = label_for(QStringLiteral("Division:"), division_);
  filter_row->addWidget(division_label_);
  filter_row->addWidget(division_);
  layout->addLayout(filter_row);
  weeks_table_ = table_view({QStringLiteral("Week"), QStringLiteral("Date"), QStringLiteral("Home team"),
                             QStringLiteral("Away team"), QStringLiteral("Venue")},
                            {0}, -1, QStringLiteral("weeks_table"), QStringLiteral("Weeks"));
  layout->addWidget(weeks_table_, 1);
  connect(filter_, &QLineEdit::textChanged, this, [this] { show_weeks(); });
  connect(division_, &QComboBox::currentIndexChanged, this, [this] { show_weeks(); });
  return page;
}

QWidget* SeasonWindow::build_teams_tab() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* pick_row = new QHBoxLayout;
  team_ = named(new QComboBox, QStringLiteral("team"), QString());
  team_->setMinimumContentsLength(24);
  pick_row->addWidget(label_for(QStringLiteral("Tea&m:"), team_));
  pick_row->addWidget(team_);
  pick_row->addStretch();
  layout->addLayout(pick_row);
  team_summary_ = display(QStringLiteral("team_summary"), QStringLiteral("The team's report line"));
  layout->addWidget(team_summary_);
  fixtures_table_ = table_view({QStringLiteral("Week"), QStringLiteral("Date"), QStringLiteral("Opponent"),
                                QStringLiteral("Home or away"), QStringLiteral("Venue")},
                               {0}, -1, QStringLiteral("fixtures_table"), QStringLiteral("Fixtures"));
  layout->addWidget(fixtures_table_, 1);
  connect(team_, &QComboBox::currentIndexChanged, this, [this](int index) {
    logic_.choose_team(team_->itemData(index).toInt());
    show_team();
    show_export_target();
  });
  return page;
}

QWidget* SeasonWindow::build_fairness_tab() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  totals_ = display(QStringLiteral("totals"), QStringLiteral("Breaks against the minimum"));
  QFont bold = totals_->font();
  bold.setBold(true);
  totals_->setFont(bold);
  totals_->setToolTip(
      QStringLiteral("A break is a team at home twice running, or away twice running, over the weeks it "
                     "plays. The fewest possible follows de Werra, \"Scheduling in sports\", 1981."));
  layout->addWidget(totals_);
  overbooked_ = display(QStringLiteral("overbooked"), QStringLiteral("Bars over their tables"));
  layout->addWidget(overbooked_);

  // The teams' table on the left; the chart and the bars' table on the right.
  fairness_split_ = new QSplitter(Qt::Horizontal);
  team_report_ = table_view({QStringLiteral("#"), QStringLiteral("Team"), QStringLiteral("Home"),
                             QStringLiteral("Away"), QStringLiteral("Not Playing"), QStringLiteral("Breaks"),
                             QStringLiteral("Longest home run"), QStringLiteral("Longest away run")},
                            {0, 2, 3, 4, 5, 6, 7}, 1, QStringLiteral("team_report"), QStringLiteral("Teams"));
  fairness_split_->addWidget(team_report_);

  auto* right = new QSplitter(Qt::Vertical);
  chart_ = named(new BreaksChart, QStringLiteral("breaks_chart"), QStringLiteral("Breaks per team"));
  chart_->setMinimumSize(fontMetrics().averageCharWidth() * 40, fontMetrics().height() * 14);
  right->addWidget(chart_);
  bar_report_ = table_view({QStringLiteral("#"), QStringLiteral("Bar"), QStringLiteral("Tables"),
                            QStringLiteral("Most in a week"), QStringLiteral("Weeks over tables")},
                           {0, 2, 3, 4}, 1, QStringLiteral("bar_report"), QStringLiteral("Bars"));
  right->addWidget(bar_report_);
  right->setSizes({3000, 2000});
  fairness_split_->addWidget(right);
  fairness_split_->setSizes({5500, 4500});
  layout->addWidget(fairness_split_, 1);
  return page;
}

QLayout* SeasonWindow::build_buttons() {
  auto* row = new QHBoxLayout;
  format_ = named(new QComboBox, QStringLiteral("export_format"), QString());
  for (const publish::FormatInfo& f : publish::formats()) format_->addItem(from_utf8(f.description));
  row->addWidget(label_for(QStringLiteral("E&xport as:"), format_));
  row->addWidget(format_);
  target_ = named(new QComboBox, QStringLiteral("export_for"), QString());
  target_->addItem(QStringLiteral("Whole league"));
  target_->addItem(QString());  // the team of the Teams tab, named in show_export_target
  row->addWidget(label_for(QStringLiteral("F&or:"), target_));
  row->addWidget(target_);
  export_status_ = display(QStringLiteral("export_status"), QStringLiteral("Export status"));
  export_status_->setWordWrap(false);
  export_status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  row->addWidget(export_status_, 1);
  auto* export_button =
      push_button(QStringLiteral("&Export..."), QStringLiteral("export"), QStringLiteral("Export"));
  auto* print_button =
      push_button(QStringLiteral("&Print..."), QStringLiteral("print"), QStringLiteral("Print"));
  auto* close_button =
      push_button(QStringLiteral("&Close"), QStringLiteral("close"), QStringLiteral("Close"));
  for (QPushButton* b : {export_button, print_button, close_button}) row->addWidget(b);
  connect(format_, &QComboBox::currentIndexChanged, this, [this] { show_export_target(); });
  connect(export_button, &QPushButton::clicked, this, [this] { export_clicked(); });
  connect(print_button, &QPushButton::clicked, this, [this] { print_clicked(); });
  connect(close_button, &QPushButton::clicked, this, &QDialog::accept);
  return row;
}

}  // namespace quintora::ui::qt
