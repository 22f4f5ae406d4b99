#include "ui/qt/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

#include "base/window_system.h"
#include "ui/controls.h"
#include "ui/editor.h"
#include "ui/qt/qt_window_system.h"
#include "ui/qt/text_room.h"

namespace quintora::ui::qt {
namespace {

QString without_colon(QString text) {
  text.remove(QLatin1Char('&'));  // an access key's mark
  text = text.trimmed();
  if (text.endsWith(QLatin1Char(':'))) text.chop(1);
  return text.trimmed();
}

}  // namespace

QIcon application_icon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/quintora/quintora-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

MainWindow::MainWindow(QtWindowSystem& ws, DisplaySize size, QWidget* parent) : QMainWindow(parent), ws_(ws) {
  // A fixed form: title, system menu, minimize and close, but no maximize
  // and no sizing border.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QStringLiteral("Quintora"));
  setWindowIcon(application_icon());
  setAccessibleName(QStringLiteral("Quintora"));
  ws_.set_main_window(this);
  build_menu();
  build_toolbar();
  build_form(size);
  adjustSize();
  setFixedSize(sizeHint());
}

void MainWindow::place_top_left() {
  const QScreen* where = screen();
  move(where != nullptr ? where->availableGeometry().topLeft() : QPoint(0, 0));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The close box is the Exit command: it asks about unsaved changes, and
  // only Exit itself ends the program.
  event->ignore();
  ws_.notify(command::file_exit, base::Notification::Clicked);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    ws_.notify(command::default_command, base::Notification::Clicked);
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void MainWindow::build_menu() {
  const auto item = [this](QMenu* menu, const QString& text, int id) {
    QAction* action = menu->addAction(text);
    connect(action, &QAction::triggered, this, [this, id] { ws_.notify(id, base::Notification::Clicked); });
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  item(file, QStringLiteral("&New"), command::file_new);
  item(file, QStringLiteral("&Open"), command::file_open);
  file->addSeparator();
  item(file, QStringLiteral("&Save"), command::file_save);
  item(file, QStringLiteral("Save &As..."), command::file_save_as);
  file->addSeparator();
  item(file, QStringLiteral("&Exit"), command::file_exit);
  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  item(view, QStringLiteral("&Schedule..."), command::view_schedule);
  item(view, QStringLiteral("S&eason..."), command::view_season);
  QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
  item(options, QStringLiteral("&Small Window"), command::small_window);
  item(options, QStringLiteral("&Medium Window"), command::medium_window);
  item(options, QStringLiteral("&Large Window"), command::large_window);
  QMenu* about = menuBar()->addMenu(QStringLiteral("&About"));
  item(about, QStringLiteral("&About Vazedored..."), command::about);
}

void MainWindow::build_toolbar() {
  QToolBar* bar = addToolBar(QStringLiteral("Toolbar"));
  bar->setObjectName(QStringLiteral("toolbar"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(16, 16));
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  bar->toggleViewAction()->setVisible(false);
  const auto button = [this, bar](const QString& image, const QString& tip, int id) {
    QAction* action = bar->addAction(QIcon(image), tip);
    action->setToolTip(tip);
    connect(action, &QAction::triggered, this, [this, id] { ws_.notify(id, base::Notification::Clicked); });
  };
  button(QStringLiteral(":/quintora/toolbar-new.png"), QStringLiteral("New"), command::file_new);
  button(QStringLiteral(":/quintora/toolbar-open.png"), QStringLiteral("Open"), command::file_open);
  button(QStringLiteral(":/quintora/toolbar-save.png"), QStringLiteral("Save"), command::file_save);
}

namespace {

// Makes the form's controls in the form's font and registers each with the
// window system under its identifier.
class FormBuilder {
 public:
  FormBuilder(QtWindowSystem& ws, const QFont& font)
      : ws_(ws),
        char_width_(QFontMetrics(font).averageCharWidth()),
        line_height_(QFontMetrics(font).height()) {}

  int char_width() const { return char_width_; }
  int line_height() const { return line_height_; }

  static QLabel* label(const QString& text) { return new QLabel(text); }

  QLabel* display(int id, const QString& text, const QString& name, int chars) {
    auto* w = new QLabel(text);
    w->setTextFormat(Qt::PlainText);  // names are shown as typed, never as markup
    w->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    w->setMinimumWidth(char_width_ * chars);
    w->setAccessibleName(name);
    w->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ws_.add_control(id, w, false);
    return w;
  }

  // A text field whose text is stored in `room` bytes of UTF-8.
  QLineEdit* edit(int id, QLabel* caption, bool tab_stop, std::size_t room) {
    auto* w = new QLineEdit;
    w->setFocusPolicy(tab_stop ? Qt::StrongFocus : Qt::ClickFocus);
    limit_to_utf8_bytes(w, room);
    w->setAccessibleName(without_colon(caption->text()));
    caption->setBuddy(w);
    ws_.add_control(id, w, true);
    return w;
  }

  QListWidget* list(int id, QLabel* caption) {
    auto* w = new QListWidget;
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    w->setFocusPolicy(Qt::ClickFocus);
    w->setMinimumSize(char_width_ * 30, line_height_ * 7);
    w->setAccessibleName(without_colon(caption->text()));
    caption->setBuddy(w);
    ws_.add_control(id, w, true);
    return w;
  }

  QComboBox* choice(int id, QLabel* caption) {
    auto* w = new QComboBox;
    w->setFocusPolicy(Qt::StrongFocus);
    w->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    w->setMinimumContentsLength(20);
    w->setAccessibleName(without_colon(caption->text()));
    caption->setBuddy(w);
    ws_.add_control(id, w, true);
    return w;
  }

  QPushButton* push(int id, const QString& text, const QString& description) {
    auto* w = new QPushButton(text);
    w->setFocusPolicy(Qt::ClickFocus);
    w->setAutoDefault(false);
    w->setAccessibleName(text);
    w->setAccessibleDescription(description);
    ws_.add_control(id, w, true);
    return w;
  }

  static QHBoxLayout* button_row(QPushButton* a, QPushButton* b, QPushButton* c) {
    auto* row = new QHBoxLayout;
    row->addWidget(a);
    row->addWidget(b);
    row->addWidget(c);
    return row;
  }

 private:
  QtWindowSystem& ws_;
  int char_width_;
  int line_height_;
};

// Top line: the title and the league's number of teams.
QHBoxLayout* build_top_line(FormBuilder& b) {
  auto* top = new QHBoxLayout;
  auto* title_label = FormBuilder::label(QStringLiteral("Title:"));
  QLineEdit* title = b.edit(control::title, title_label, false, title_field_bytes);
  title->setMinimumWidth(b.char_width() * 40);
  top->addWidget(title_label);
  top->addWidget(title, 1);
  top->addSpacing(b.char_width() * 2);
  top->addWidget(FormBuilder::label(QStringLiteral("Total Number of Teams :")));
  top->addWidget(
      b.display(control::total_teams_label, QStringLiteral("0"), QStringLiteral("Total Number of Teams"), 5));
  return top;
}

QGroupBox* build_bar_group(FormBuilder& b) {
  auto* bars = new QGroupBox(QStringLiteral("Add, Rename, or Delete Bars"));
  auto* layout = new QVBoxLayout(bars);
  auto* list_label = FormBuilder::label(QStringLiteral("To delete or rename a bar, select from list:"));
  layout->addWidget(list_label);
  layout->addWidget(b.list(control::bar_list, list_label), 1);
  auto* name_label = FormBuilder::label(QStringLiteral("To rename or add a bar, enter a name:"));
  layout->addWidget(name_label);
  layout->addWidget(b.edit(control::bar_name, name_label, true, name_field_bytes));
  layout->addWidget(FormBuilder::label(QStringLiteral("Then click on a button below to update list:")));
  layout->addLayout(FormBuilder::button_row(
      b.push(control::bar_add, QStringLiteral("Add"), QStringLiteral("Add a bar")),
      b.push(control::bar_rename, QStringLiteral("Rename"), QStringLiteral("Rename the selected bar")),
      b.push(control::bar_delete, QStringLiteral("Delete"), QStringLiteral("Delete the selected bar"))));
  return bars;
}

QGroupBox* build_profile_group(FormBuilder& b) {
  auto* profile = new QGroupBox(QStringLiteral("Profile of the Selected Bar"));
  auto* layout = new QGridLayout(profile);
  layout->addWidget(FormBuilder::label(QStringLiteral("Bar Name:")), 0, 0);
  layout->addWidget(b.display(control::bar_name_label, QString(), QStringLiteral("Bar Name"), 24), 0, 1, 1,
                    2);
  layout->addWidget(FormBuilder::label(QStringLiteral("Number of Teams :")), 1, 0);
  layout->addWidget(
      b.display(control::team_count_label, QStringLiteral("0"), QStringLiteral("Number of Teams"), 5), 1, 1);
  auto* tables_label = FormBuilder::label(QStringLiteral("Number of Tables :"));
  layout->addWidget(tables_label, 2, 0);
  QLineEdit* tables = b.edit(control::tables, tables_label, true, 10);  // any 32-bit count
  tables->setMaximumWidth(b.char_width() * 8);
  layout->addWidget(tables, 2, 1);
  // Where and when the bar hosts: what players see in the published season.
  auto* address_label = FormBuilder::label(QStringLiteral("Addre&ss:"));
  layout->addWidget(address_label, 3, 0);
  layout->addWidget(b.edit(control::address, address_label, true, address_field_bytes), 3, 1, 1, 2);
  auto* phone_label = FormBuilder::label(QStringLiteral("P&hone:"));
  layout->addWidget(phone_label, 4, 0);
  layout->addWidget(b.edit(control::phone, phone_label, true, phone_field_bytes), 4, 1, 1, 2);
  auto* start_label = FormBuilder::label(QStringLiteral("Start &time:"));
  layout->addWidget(start_label, 5, 0);
  QLineEdit* start = b.edit(control::bar_start, start_label, true, start_field_bytes);
  start->setFixedWidth(b.char_width() * 9);
  start->setPlaceholderText(QStringLiteral("HH:MM"));
  start->setAccessibleDescription(QStringLiteral("HH:MM, or empty for the league's start time"));
  layout->addWidget(start, 5, 1);
  layout->addWidget(FormBuilder::label(QStringLiteral("(empty: the league's time)")), 5, 2);
  layout->setColumnStretch(2, 1);
  return profile;
}

QGroupBox* build_division_group(FormBuilder& b) {
  auto* divisions = new QGroupBox(QStringLiteral("Add, Rename or Delete Divisions"));
  auto* layout = new QVBoxLayout(divisions);
  auto* list_label = FormBuilder::label(QStringLiteral("Divisions:"));
  layout->addWidget(list_label);
  QListWidget* list = b.list(control::division_list, list_label);
  // A league has at most eight: a short list keeps the window's height.
  list->setMinimumHeight(b.line_height() * 3);
  list->setMaximumHeight(b.line_height() * 5);
  layout->addWidget(list);
  auto* name_label = FormBuilder::label(QStringLiteral("To rename or add a division, enter a &name:"));
  layout->addWidget(name_label);
  layout->addWidget(b.edit(control::division_name, name_label, true, name_field_bytes));
  layout->addLayout(FormBuilder::button_row(
      b.push(control::division_add, QStringLiteral("Add"), QStringLiteral("Add a division")),
      b.push(control::division_rename, QStringLiteral("Rename"),
             QStringLiteral("Rename the selected division")),
      b.push(control::division_delete, QStringLiteral("Delete"),
             QStringLiteral("Delete the selected division; its teams go to the first"))));
  return divisions;
}

QGroupBox* build_team_group(FormBuilder& b) {
  auto* teams = new QGroupBox(QStringLiteral("Add, Rename or Delete Teams"));
  auto* layout = new QVBoxLayout(teams);
  auto* list_label = FormBuilder::label(QStringLiteral("To delete or rename a team, select from list:"));
  layout->addWidget(list_label);
  QListWidget* team_list = b.list(control::team_list, list_label);
  team_list->setMinimumHeight(b.line_height() * 5);
  layout->addWidget(team_list, 1);
  auto* division_row = new QHBoxLayout;
  auto* division_label = FormBuilder::label(QStringLiteral("D&ivision:"));
  division_row->addWidget(division_label);
  division_row->addWidget(b.choice(control::team_division, division_label), 1);
  layout->addLayout(division_row);
  auto* name_label = FormBuilder::label(QStringLiteral("To rename or add a team, enter a name:"));
  layout->addWidget(name_label);
  layout->addWidget(b.edit(control::team_name, name_label, true, name_field_bytes));
  layout->addWidget(FormBuilder::label(QStringLiteral("Then click on a button below to update list:")));
  layout->addLayout(FormBuilder::button_row(
      b.push(control::team_add, QStringLiteral("Add"), QStringLiteral("Add a team to the selected bar")),
      b.push(control::team_rename, QStringLiteral("Rename"), QStringLiteral("Rename the selected team")),
      b.push(control::team_delete, QStringLiteral("Delete"), QStringLiteral("Delete the selected team"))));
  return teams;
}

// Bottom lines: the automatic-team check box, the file name, "Schedule".
void build_bottom_lines(FormBuilder& b, QtWindowSystem& ws, QVBoxLayout* layout) {
  const QString auto_text = QStringLiteral("Automatically add bar name as one of the team names");
  auto* auto_team = new QCheckBox(auto_text);
  auto_team->setFocusPolicy(Qt::ClickFocus);
  auto_team->setAccessibleName(auto_text);
  ws.add_control(control::auto_add_team, auto_team, true);
  layout->addWidget(auto_team);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(FormBuilder::label(QStringLiteral("File name:")));
  QLabel* file_name =
      b.display(control::file_name_label, QStringLiteral("Untitled"), QStringLiteral("File name"), 30);
  file_name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  bottom->addWidget(file_name, 1);
  bottom->addSpacing(b.char_width() * 2);
  QPushButton* schedule =
      b.push(control::schedule_button, QStringLiteral("Schedule"), QStringLiteral("Schedule the league"));
  schedule->setMinimumWidth(b.char_width() * 14);
  bottom->addWidget(schedule);
  QPushButton* season =
      b.push(control::season_button, QStringLiteral("Season..."),
             QStringLiteral("See the season, how fair it is, set its dates, export and print"));
  season->setMinimumWidth(b.char_width() * 14);
  bottom->addWidget(season);
  auto* icon = new QLabel;
  icon->setPixmap(application_icon().pixmap(32, 32));
  icon->setAccessibleName(QStringLiteral("Quintora icon"));
  bottom->addWidget(icon);
  layout->addLayout(bottom);
}

}  // namespace

void MainWindow::build_form(DisplaySize size) {
  auto* form = new QWidget;
  form->setObjectName(QStringLiteral("form"));
  // The three display sizes are one form at three sizes of the system's
  // sans-serif font; everything below is measured in that font.
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(point_size(size));
  form->setFont(font);
  FormBuilder builder(ws_, font);

  auto* layout = new QVBoxLayout(form);
  layout->addLayout(build_top_line(builder));
  auto* middle = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(build_bar_group(builder), 1);
  left->addWidget(build_division_group(builder));
  middle->addLayout(left, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(build_profile_group(builder));
  right->addWidget(build_team_group(builder), 1);
  middle->addLayout(right, 1);
  layout->addLayout(middle, 1);
  build_bottom_lines(builder, ws_, layout);

  // Tab moves only among the entry fields and the Division choice.
  auto field = [this](int id) { return ws_.control(id); };
  const int order[] = {control::bar_name,      control::tables,       control::address,
                       control::phone,         control::bar_start,    control::team_name,
                       control::team_division, control::division_name};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(field(order[i - 1]), field(order[i]));
  setCentralWidget(form);
}

}  // namespace quintora::ui::qt
