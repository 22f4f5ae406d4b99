// The desktop program's windows on real widgets (offscreen): the main window
// at each display size, the Qt shell's notification rules and the byte room
// of its fields, the Schedule dialog, and the Season window. Boxes and file
// dialogs are answered by the test and modal windows closed from a timer, so
// nothing waits for a user.

#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <fstream>

#include "ui/controls.h"
#include "ui/main_window_logic.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_window_system.h"
#include "ui/qt/season_window.h"
#include "ui/window_size.h"

using namespace quintora;
using namespace quintora::ui;
using base::Notification;
namespace c = ui::control;
Q_DECLARE_METATYPE(ui::DisplaySize)

namespace {

// The main window and its logic as the program assembles them, in a scratch
// folder. Boxes are recorded and answered OK, or Cancel where there is a
// choice; file dialogs are recorded and answered once from `next_file`.
struct Program {
  // With an example league's name, a copy of it is opened.
  explicit Program(DisplaySize size = DisplaySize::Small, const char* example = nullptr)
      : window(ws, size), logic(ws, folder() / "qtra_set.dat", nullptr) {
    ws.set_message_box_answerer([this](const qt::MessageBoxRequest& box) {
      messages.push_back(box.text);
      return box.buttons == base::Buttons::Ok ? base::Answer::Ok : base::Answer::Cancel;
    });
    ws.set_file_dialog_answerer([this](const base::FileDialogRequest& request) {
      requests.push_back(request);
      return std::exchange(next_file, std::nullopt);
    });
    logic.initialise();
    if (example != nullptr) {
      next_file = (folder() / example).string();
      std::filesystem::copy_file(std::filesystem::path(QUINTORA_SOURCE_DIR) / "examples" / example,
                                 *next_file);
      ws.notify(command::file_open, Notification::Clicked);
    }
    window.show();
  }
  std::filesystem::path folder() const { return dir.path().toStdString(); }
  QLineEdit* edit(int id) const { return qobject_cast<QLineEdit*>(ws.control(id)); }
  // A display as a screen reader reads it: its caption, then its text.
  QString spoken(int id) const {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(ws.control(id));
    return a->text(QAccessible::Name) + QLatin1Char('=') + a->text(QAccessible::Description);
  }

  QTemporaryDir dir;
  qt::QtWindowSystem ws;
  qt::MainWindow window;
  MainWindowLogic logic;
  std::vector<std::string> messages;
  std::vector<base::FileDialogRequest> requests;
  std::optional<std::string> next_file;
};

// The spring example league open and its Season window shown without its modal loop.
struct Season {
  Season() : logic(p.logic.league(), p.ws), window(logic, p.folder() / "season_window.dat", &p.window) {
    window.show();
  }
  template <class W>
  W* find(const char* name) {
    W* w = window.findChild<W*>(QString::fromLatin1(name));
    if (w == nullptr) qFatal("no %s", name);
    return w;
  }
  // A table's cells, row by row, columns joined by '|'.
  QStringList rows(const char* table) {
    QStringList out;
    const QAbstractItemModel* model = find<QTableView>(table)->model();
    for (int r = 0; r < model->rowCount(); ++r) {
      QStringList cells;
      for (int k = 0; k < model->columnCount(); ++k) cells << model->index(r, k).data().toString();
      out << cells.join(QLatin1Char('|'));
    }
    return out;
  }
  Program p{DisplaySize::Small, "spring-league.sch"};
  SeasonWindowLogic logic;
  qt::SeasonWindow window;
};

// What the window notifies, but focus moves (they depend on the window's activation).
struct Recorder final : base::EventSink {
  void on_event(int id, Notification what) override {
    if (what != Notification::FocusGained && what != Notification::FocusLost) events.emplace_back(id, what);
  }
  std::vector<std::pair<int, Notification>> events;
};

// Puts text into a field the way the user named in `how` does.
void put(QLineEdit* edit, const QString& how, const QString& text) {
  if (how == QLatin1String("typed")) {  // a key a character (an emoji is two UTF-16 units)
    for (qsizetype i = 0; i < text.size(); i += text[i].isHighSurrogate() ? 2 : 1) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                    text.mid(i, text[i].isHighSurrogate() ? 2 : 1));
      QApplication::sendEvent(edit, &key);
    }
  } else if (how == QLatin1String("committed")) {  // an input method's commit
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(edit, &commit);
  } else if (how == QLatin1String("pasted")) {
    QGuiApplication::clipboard()->setText(text);
    edit->paste();
  } else {  // set through the accessibility interface, as a screen reader or automation does
    QAccessible::queryAccessibleInterface(edit)->setText(QAccessible::Value, edit->text() + text);
  }
}

// The visible controls in `parent` a screen reader cannot name.
QStringList unnamed(QWidget* parent) {
  QStringList out;
  for (QWidget* w : parent->findChildren<QWidget*>()) {
    const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                         qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) ||
                         qobject_cast<QAbstractItemView*>(w);
    if (control && w->isVisibleTo(parent) && w->accessibleName().isEmpty() &&
        !w->objectName().startsWith(QLatin1String("qt_")) &&
        !qobject_cast<QAbstractItemView*>(w->parentWidget()) &&
        !qobject_cast<QAbstractSpinBox*>(w->parentWidget()))
      out << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
  }
  return out;
}

std::string read_all(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void builds_at_each_display_size_data() {
    QTest::addColumn<DisplaySize>("size");
    QTest::newRow("small") << DisplaySize::Small;
    QTest::newRow("medium") << DisplaySize::Medium;
    QTest::newRow("large") << DisplaySize::Large;
  }
  // Each size fixed and wider than the one before; a screen reader finds every
  // control, and only the three entry fields are tab stops.
  void builds_at_each_display_size() {
    QFETCH(DisplaySize, size);
    static int smaller_width = 0;  // rows run from small to large
    Program p(size);
    QCOMPARE(p.window.minimumSize(), p.window.maximumSize());
    QCOMPARE(p.window.centralWidget()->font().pointSize(), point_size(size));
    QVERIFY(p.window.width() > std::exchange(smaller_width, p.window.width()));
    QCOMPARE(unnamed(p.window.centralWidget()), QStringList());
    QList<QWidget*> tab_stops;
    for (QWidget* w : p.window.findChildren<QWidget*>()) {
      if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&p.window)) tab_stops << w;
    }
    QCOMPARE(tab_stops, (QList<QWidget*>{p.ws.control(c::bar_name), p.ws.control(c::tables),
                                         p.ws.control(c::team_name)}));
  }

  // Enter adds in the group typed in: after a bar was added (which empties the
  // team name field last), a bar name put in by assistive technology adds that
  // bar. The displays are read as their text; the close box asks as Exit does.
  void enter_adds_in_its_group_and_displays_read_as_their_text() {
    Program p;
    QCOMPARE(p.spoken(c::file_name_label), QStringLiteral("File name=Untitled"));
    QTest::keyClicks(p.edit(c::bar_name), QStringLiteral("Corner Pocket"));
    QTest::keyClick(p.edit(c::bar_name), Qt::Key_Return);
    QCOMPARE(p.spoken(c::total_teams_label),
             QStringLiteral("Total Number of Teams=1"));  // its automatic team
    QCOMPARE(p.spoken(c::bar_name_label), QStringLiteral("Bar Name=Corner Pocket"));
    QAccessible::queryAccessibleInterface(p.edit(c::bar_name))
        ->setText(QAccessible::Value, QStringLiteral("Eight Ball"));
    QTest::keyClick(&p.window, Qt::Key_Return);
    QCOMPARE(p.ws.list_text(c::bar_list, 1), std::string("Eight Ball"));
    QTest::keyClicks(p.edit(c::team_name), QStringLiteral("  "));
    QTest::keyClick(p.edit(c::team_name), Qt::Key_Return);
    p.window.close();  // answered Cancel: the window stays
    QCOMPARE(p.messages, (std::vector<std::string>{"Not a valid name.",
                                                   "Save changes before closing the current file?"}));
    QVERIFY(p.window.isVisible());
  }

  // The program's own setting of a field notifies once, changed or not; its
  // list changes and selections and a label stay silent. Text set through
  // the accessibility interface notifies as typing does.
  void changes_notify_once_and_program_selections_do_not() {
    Program p;
    Recorder recorder;
    p.ws.set_event_sink(&recorder);
    p.ws.set_text(c::bar_name, "");
    p.ws.set_text(c::bar_name, "");
    p.ws.set_text(c::bar_name_label, "Ace");
    p.ws.list_append(c::bar_list, "A", 0);
    p.ws.list_append(c::bar_list, "B", 1);
    p.ws.list_select(c::bar_list, 1);
    p.ws.list_delete(c::bar_list, 1);
    QCOMPARE(p.ws.list_selected(c::bar_list), -1);  // a deleted entry takes its selection along
    auto* bars = qobject_cast<QListWidget*>(p.ws.control(c::bar_list));
    QTest::mouseClick(bars->viewport(), Qt::LeftButton, {}, bars->visualItemRect(bars->item(0)).center());
    QAccessible::queryAccessibleInterface(p.edit(c::team_name))
        ->setText(QAccessible::Value, QStringLiteral("Sharks"));
    QTest::keyClicks(p.edit(c::team_name), QStringLiteral("xy"));
    p.ws.set_text(c::team_name, "Reset");
    p.ws.set_text(c::team_name, "Reset");
    p.ws.set_event_sink(&p.logic);
    std::vector<std::pair<int, Notification>> expected{{c::bar_name, Notification::Changed},
                                                       {c::bar_name, Notification::Changed},
                                                       {c::bar_list, Notification::SelectionChanged}};
    expected.insert(expected.end(), 5, {c::team_name, Notification::Changed});
    QVERIFY(recorder.events == expected);
  }

  // The file keeps 59 bytes of a name and 80 of the title: the fields take no
  // more, however the text comes in, so what is seen is what is stored.
  void fields_take_no_more_than_their_room_in_bytes_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("before");  // in the field, the cursor after it
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const QString e = QStringLiteral("\u00E9"), cjk = QStringLiteral("\u4E2D"),
                  ball = QStringLiteral("\U0001F3B1"), a = QStringLiteral("a");
    const struct {
      const char* name;
      int id;
      QString before, text, expected;
    } rows[] = {
        {"ASCII", c::bar_name, {}, a.repeated(60), a.repeated(59)},
        {"accents", c::team_name, {}, e.repeated(40), e.repeated(29)},
        {"CJK", c::team_name, "ab", cjk.repeated(25), "ab" + cjk.repeated(19)},
        {"emoji", c::bar_name, "x", ball.repeated(20), "x" + ball.repeated(14)},
        {"title", c::title, {}, e.repeated(30) + ball.repeated(10), e.repeated(30) + ball.repeated(5)},
        {"full", c::title, ball.repeated(20), a, ball.repeated(20)},
    };
    for (const char* how : {"typed", "committed", "pasted", "accessibility"}) {
      for (const auto& r : rows)
        QTest::addRow("%s %s", how, r.name)
            << r.id << QString::fromLatin1(how) << r.before << r.text << r.expected;
    }
  }
  void fields_take_no_more_than_their_room_in_bytes() {
    QFETCH(int, id);
    QFETCH(QString, how);
    QFETCH(QString, before);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    Program p;
    p.edit(id)->setText(before);
    put(p.edit(id), how, text);
    QCOMPARE(p.edit(id)->text(), expected);
    QCOMPARE(QString::fromStdString(p.ws.get_text(id, id == c::title ? 80 : 59)),
             expected);  // nothing more cut
  }

  // A paste between two letters takes what fits and keeps the text around it.
  void a_paste_inside_the_text_keeps_what_was_there() {
    Program p;
    p.edit(c::team_name)->setText(QStringLiteral("AB"));
    p.edit(c::team_name)->setCursorPosition(1);
    put(p.edit(c::team_name), QStringLiteral("pasted"), QStringLiteral("\u00E9").repeated(40));
    QCOMPARE(p.edit(c::team_name)->text(), "A" + QStringLiteral("\u00E9").repeated(28) + "B");
    QCOMPARE(p.edit(c::team_name)->cursorPosition(), 29);
  }

  // The Schedule dialog's fifth choice and its variant reach the dialog's
  // logic through the window system, and its status line is read as its text.
  void schedule_dialog_offers_fairest_with_a_variant() {
    Program p;
    struct Handler final : base::DialogHandler {
      void on_open(base::WindowSystem& ws) override { ws.set_number(c::variant, 1); }
      bool on_command(base::WindowSystem& ws, int id) override {
        seen = std::to_string(id) + " " + std::to_string(ws.is_checked(c::effort_fairest)) + " " +
               ws.get_text(c::variant, 9);
        return true;
      }
      std::string seen;
    } handler;
    QStringList status;
    QTimer::singleShot(0, [&] {
      p.ws.set_text(c::status, "Scheduling, please wait...");
      status << p.spoken(c::status);
      auto* variant = qobject_cast<QSpinBox*>(p.ws.control(c::variant));
      QCOMPARE(std::tuple(variant->accessibleName(), variant->minimum(), variant->maximum()),
               std::tuple(QStringLiteral("Variant"), 1, 1000));
      qobject_cast<QRadioButton*>(p.ws.control(c::effort_fairest))->setChecked(true);
      variant->setValue(12);
      qobject_cast<QPushButton*>(p.ws.control(c::do_it))->click();
    });
    QCOMPARE(p.ws.run_dialog(dialog::schedule, handler), 1);
    QCOMPARE(handler.seen, std::to_string(c::do_it) + " 1 12");
    QCOMPARE(status, QStringList{QStringLiteral("Status=Scheduling, please wait...")});
  }

  void league_filter_matches_either_letter_case() {
#ifndef _WIN32
    QCOMPARE(qt::name_filter({"Vazedored Files(*.SCH)", "*.sch"}),
             QStringLiteral("Vazedored Files(*.SCH) (*.[sS][cC][hH])"));
#endif
  }

  // View > Season... opens the window through the program's opener: modal,
  // every control named, and its size kept when it closes.
  void the_season_window_opens_from_the_view_menu_and_keeps_its_size() {
    Program p(DisplaySize::Small, "spring-league.sch");
    const auto size_file = p.folder() / "season_window.dat";
    p.logic.set_season_window_opener(qt::season_window_opener(&p.window, size_file));
    QStringList seen;
    QTimer::singleShot(0, [&] {
      auto* w = qobject_cast<qt::SeasonWindow*>(QApplication::activeModalWidget());
      if (w == nullptr) return;
      seen << w->windowTitle() << QString::number(w->parentWidget() == &p.window) << unnamed(w);
      w->resize(1234, 876);
      w->reject();
    });
    p.window.menuBar()->actions()[1]->menu()->actions()[1]->trigger();  // View > Season...
    QCOMPARE(seen, (QStringList{"Season - Riverside Pool League - Spring 2026", "1"}));
    QCOMPARE(read_window_size(size_file), (WindowSize{1234, 876}));
    QVERIFY(p.messages.empty());
  }

  // The build choice rebuilds the tables; the filter narrows the Weeks tab to
  // a team, and the Teams tab follows the team picked there.
  void the_season_tables_follow_the_choice_the_filter_and_the_team() {
    Season o;
    const QStringList before = o.rows("weeks_table");
    o.find<QRadioButton>("effort_fairest")->click();
    QVERIFY(o.logic.choice().method.kind == schedule::ScheduleMethod::Kind::Fairest &&
            o.find<QSpinBox>("variant")->isEnabled());
    const WeekRow first = o.logic.week_rows()[0];
    QCOMPARE(o.rows("weeks_table").first(),
             QString::fromStdString(std::to_string(first.week) + "||" + first.home + "|" + first.away + "|" +
                                    first.venue));
    QVERIFY(o.rows("weeks_table") != before);
    QTest::keyClicks(o.find<QLineEdit>("filter"), QStringLiteral("cue TIPS"));
    const QStringList rows = o.rows("weeks_table");
    QCOMPARE(rows.size(), 14);
    for (const QString& row : rows) QVERIFY2(row.contains(QStringLiteral("|Cue Tips|")), qPrintable(row));
    o.find<QSpinBox>("weeks")->setValue(3);
    QCOMPARE(o.rows("weeks_table").size(), 3);
    o.find<QComboBox>("team")->setCurrentIndex(3);
    QCOMPARE(std::pair(o.logic.chosen_team(), o.rows("fixtures_table").size()), std::pair(4, qsizetype{3}));
    QCOMPARE(o.find<QLabel>("team_summary")->text(), QString::fromStdString(o.logic.team_summary(4)));
  }

  // A refused calendar value is said next to the fields and not kept in them.
  void a_refused_calendar_value_is_said_and_not_kept() {
    Season o;
    o.find<QCheckBox>("dated")->click();
    o.find<QSpinBox>("every_days")->setValue(0);
    QCOMPARE(o.find<QLabel>("calendar_status")->text(),
             QStringLiteral("The days between match weeks must be from 1 to 365; 0 is not."));
    QCOMPARE(std::pair(o.find<QSpinBox>("every_days")->value(), o.logic.calendar()->every_days),
             std::pair(7, 7));
  }

  // Export asks for a file of the format's type and writes what the
  // publishing library makes; the PDF comes from the Qt renderer, and the
  // workbook is the whole league's only.
  void season_export_writes_the_chosen_format_for_the_chosen_team() {
    Season o;
    Program& p = o.p;
    o.find<QComboBox>("team")->setCurrentIndex(1);
    o.find<QComboBox>("export_for")->setCurrentIndex(1);
    p.next_file = (p.folder() / "pocket-rockets.csv").string();
    o.find<QPushButton>("export")->click();
    QCOMPARE(p.requests.back().filters.at(0).name, std::string("Fixture list (*.csv)"));
    QCOMPARE(read_all(p.folder() / "pocket-rockets.csv"),
             o.logic.render(publish::Format::FixturesCsv, 2).bytes);
    auto* format = o.find<QComboBox>("export_format");
    format->setCurrentIndex(format->findText(QStringLiteral("PDF document (*.pdf)")));
    p.next_file = (p.folder() / "season.pdf").string();
    o.find<QPushButton>("export")->click();
    QCOMPARE(read_all(p.folder() / "season.pdf").substr(0, 5), std::string("%PDF-"));
    format->setCurrentIndex(format->findText(QStringLiteral("Excel workbook (*.xlsx)")));
    QVERIFY(!o.find<QComboBox>("export_for")->isEnabled());
    QCOMPARE(o.find<QComboBox>("export_for")->currentIndex(), 0);
    QVERIFY(p.messages.empty());
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
