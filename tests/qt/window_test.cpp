// The desktop program's windows on real widgets (offscreen): the main window
// at each display size, the Qt shell's notification rules and the byte room
// of its fields, the Schedule dialog, and the Season window. Boxes and file
// dialogs are answered by the test and modal windows closed from a timer, so
// nothing waits for a user.

#include <QAbstractItemModelTester>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <thread>

#include "support/read_file.h"
#include "ui/controls.h"
#include "ui/main_window_logic.h"
#include "ui/qt/breaks_chart.h"
#include "ui/qt/main_window.h"
#include "ui/qt/progress_runner.h"
#include "ui/qt/qt_window_system.h"
#include "ui/qt/season_window.h"
#include "ui/qt/text_table.h"
#include "ui/window_size.h"

using namespace quintora;
using namespace quintora::ui;
using base::Notification;
namespace c = ui::control;

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

  QTemporaryDir dir;
  qt::QtWindowSystem ws;
  qt::MainWindow window;
  MainWindowLogic logic;
  std::vector<std::string> messages;
  std::vector<base::FileDialogRequest> requests;
  std::optional<std::string> next_file;
};

// An example league open (the spring one unless named) and its Season
// window shown without its modal loop, at its first size.
struct Season {
  explicit Season(const char* example = "spring-league.sch")
      : p(DisplaySize::Small, example),
        logic(p.logic.league(), p.ws),
        window(logic, p.folder() / "season_window.dat", &p.window) {
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
  Program p;
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

// What keeps a window (or a main window's central part, with its menus) from
// a screen reader or the keyboard: a visible control it cannot name, an
// access key used twice (Alt+F is "Alt+F") among its controls, tabs and
// menus, and a list or table in which Tab moves from cell to cell.
QStringList access_faults(QWidget* window) {
  QStringList keys, faults;
  const auto add = [&keys](const QString& text) {
    const QKeySequence key = QKeySequence::mnemonic(text);
    if (!key.isEmpty()) keys << key.toString();
  };
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (w->window() != window->window()) continue;  // a window it owns has keys of its own
    const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                         qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) ||
                         qobject_cast<QAbstractItemView*>(w);
    if (control && w->isVisibleTo(window) && w->accessibleName().isEmpty() &&
        !w->objectName().startsWith(QLatin1String("qt_")) &&
        !qobject_cast<QAbstractItemView*>(w->parentWidget()) &&
        !qobject_cast<QAbstractSpinBox*>(w->parentWidget()))
      faults << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
    if (const auto* b = qobject_cast<QAbstractButton*>(w)) add(b->text());
    if (const auto* l = qobject_cast<QLabel*>(w); l != nullptr && l->buddy() != nullptr) add(l->text());
    if (const auto* g = qobject_cast<QGroupBox*>(w)) add(g->title());
    if (const auto* t = qobject_cast<QTabWidget*>(w))
      for (int i = 0; i < t->count(); ++i) add(t->tabText(i));
    if (const auto* v = qobject_cast<QAbstractItemView*>(w); v != nullptr && v->tabKeyNavigation())
      faults << v->objectName();
  }
  if (const auto* main = qobject_cast<QMainWindow*>(window->window()))
    for (const QAction* a : main->menuBar()->actions()) add(a->text());
  keys.sort();
  for (qsizetype i = 1; i < keys.size(); ++i)
    if (keys[i] == keys[i - 1]) faults << keys[i];
  return faults;
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Each size fixed and wider than the one before; a screen reader finds every
  // control, and Tab goes round the entry fields and the Division choice alone.
  void builds_at_each_display_size() {
    int smaller_width = 0;
    for (const DisplaySize size : {DisplaySize::Small, DisplaySize::Medium, DisplaySize::Large}) {
      Program p(size);
      QCOMPARE(p.window.minimumSize(), p.window.maximumSize());
      QCOMPARE(p.window.centralWidget()->font().pointSize(), point_size(size));
      QVERIFY(p.window.width() > std::exchange(smaller_width, p.window.width()));
      QCOMPARE(access_faults(p.window.centralWidget()), QStringList());
      QList<QWidget*> tab_stops, expected;
      QWidget* w = p.ws.control(c::bar_name);
      do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&p.window)) tab_stops << w;
        w = w->nextInFocusChain();
      } while (w != p.ws.control(c::bar_name));
      for (int id : {c::bar_name, c::tables, c::address, c::phone, c::bar_start, c::team_name,
                     c::team_division, c::division_name})
        expected << p.ws.control(id);
      QCOMPARE(tab_stops, expected);
    }
  }

  // Enter reaches the logic (which group it adds in is the logic's rule) and
  // the displays are read as their text. The Division choice is the logic's
  // list of divisions: the user's choice reaches it, the program's own does
  // not. An access key reaches a venue field, and the close box asks as Exit does.
  void keys_displays_and_choices_reach_the_logic() {
    Program p;
    p.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&p.window));
    QTest::keyClicks(p.edit(c::bar_name), QStringLiteral("Corner Pocket"));
    QTest::keyClick(p.edit(c::bar_name), Qt::Key_Return);
    // The display as a screen reader reads it: its caption, then its text.
    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(p.ws.control(c::bar_name_label));
    QCOMPARE(std::pair(shown->text(QAccessible::Name), shown->text(QAccessible::Description)),
             std::pair(QStringLiteral("Bar Name"), QStringLiteral("Corner Pocket")));
    QTest::keyClicks(p.edit(c::division_name), QStringLiteral("Premier"));
    QTest::keyClick(p.edit(c::division_name), Qt::Key_Return);
    auto* choice = qobject_cast<QComboBox*>(p.ws.control(c::team_division));
    QCOMPARE(std::tuple(choice->count(), choice->currentIndex()), std::tuple(2, 0));
    choice->setFocus();
    QTest::keyClick(choice, Qt::Key_Down);
    QCOMPARE(p.logic.league().team.division[0], 2);
    QTest::keyClick(&p.window, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), p.ws.control(c::address));
    p.edit(c::bar_start)->setFocus();
    QTest::keyClicks(p.edit(c::bar_start), QStringLiteral("7pm"));
    p.edit(c::phone)->setFocus();  // leaving the start time refuses it and puts the kept one back
    QCOMPARE(p.edit(c::bar_start)->text(), QString());
    p.window.close();  // asks as Exit does, answered Cancel: the window stays
    QCOMPARE(std::pair(p.messages.size(), p.window.isVisible()), std::pair(std::size_t{2}, true));
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
  void fields_take_no_more_than_their_room_in_bytes() {
    const QString e = QStringLiteral("\u00E9"), cjk = QStringLiteral("\u4E2D"),
                  ball = QStringLiteral("\U0001F3B1"), a = QStringLiteral("a");
    const struct {
      int id;
      QString before, text, expected;  // before: in the field, the cursor after it
    } rows[] = {
        {c::bar_name, {}, a.repeated(60), a.repeated(59)},
        {c::team_name, "ab", cjk.repeated(25), "ab" + cjk.repeated(19)},
        {c::bar_name, "x", ball.repeated(20), "x" + ball.repeated(14)},
        {c::title, {}, e.repeated(30) + ball.repeated(10), e.repeated(30) + ball.repeated(5)},
        {c::title, ball.repeated(20), a, ball.repeated(20)},
    };
    Program p;
    for (const char* how : {"typed", "committed", "pasted", "accessibility"}) {
      for (const auto& r : rows) {
        p.edit(r.id)->setText(r.before);
        put(p.edit(r.id), QString::fromLatin1(how), r.text);
        const QString stored = QString::fromStdString(p.ws.get_text(r.id, r.id == c::title ? 80 : 59));
        QVERIFY2(p.edit(r.id)->text() == r.expected && stored == r.expected,  // nothing more cut
                 qPrintable(QString::fromLatin1(how) + QLatin1Char(' ') + p.edit(r.id)->text()));
      }
    }
    // A paste between two letters takes what fits and keeps the text around it.
    QLineEdit* team = p.edit(c::team_name);
    team->setText(QStringLiteral("AB"));
    team->setCursorPosition(1);
    put(team, QStringLiteral("pasted"), e.repeated(40));
    QCOMPARE(std::pair(team->text(), team->cursorPosition()), std::pair("A" + e.repeated(28) + "B", 29));
  }

  // The Schedule dialog's fifth choice and its variant reach the dialog's
  // logic through the window system. Neither dialog uses an access key twice or traps Tab in a list.
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
    QStringList faults;
    QTimer::singleShot(0, [&] {
      faults << access_faults(QApplication::activeModalWidget());
      auto* variant = qobject_cast<QSpinBox*>(p.ws.control(c::variant));
      QCOMPARE(std::tuple(variant->accessibleName(), variant->minimum(), variant->maximum()),
               std::tuple(QStringLiteral("Variant"), 1, 1000));
      qobject_cast<QRadioButton*>(p.ws.control(c::effort_fairest))->setChecked(true);
      variant->setValue(12);
      QVERIFY(qobject_cast<QPushButton*>(p.ws.control(c::do_it))->isDefault());  // Enter runs the dialog
      qobject_cast<QPushButton*>(p.ws.control(c::do_it))->click();
    });
    QCOMPARE(p.ws.run_dialog(dialog::schedule, handler), 1);
    QCOMPARE(handler.seen, std::to_string(c::do_it) + " 1 12");
    QTimer::singleShot(0, [&] {
      QWidget* about = QApplication::activeModalWidget();
      faults << access_faults(about);
      qobject_cast<QDialog*>(about)->reject();
    });
    p.ws.run_dialog(dialog::about, handler);
    QCOMPARE(faults, QStringList());
#ifndef _WIN32  // the league file's filter matches either letter case
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
      seen << w->windowTitle() << QString::number(w->parentWidget() == &p.window) << access_faults(w);
      w->resize(2345, 1456);  // above the widest minimum of any platform's fonts
      w->reject();
    });
    p.window.menuBar()->actions()[1]->menu()->actions()[1]->trigger();  // View > Season...
    QCOMPARE(seen, (QStringList{"Season - Riverside Pool League - Spring 2026", "1"}));
    QCOMPARE(read_window_size(size_file), (WindowSize{2345, 1456}));
    QVERIFY(p.messages.empty());
  }

  // Print shows the season; the build choice rebuilds the tables; the filter
  // narrows the Weeks tab to a team, and the Teams tab follows the team
  // picked there. The unavailable dates wait for the calendar, then the
  // chosen bar or team and date reach the logic; a refused calendar value is
  // said next to the fields and not kept in them. Export asks for a file of
  // the format's type and writes what the publishing library makes for the
  // team chosen (the PDF through the Qt renderer, the workbook the whole
  // league's only, and without a season no team). The lines that change are
  // read as their text, figures and all, and the Show only clear button has a
  // name.
  void the_season_window_takes_its_fields_and_is_read_as_its_text() {
    Season o;
    // Print previews the pages on the paper the logic chose, as the PDF takes it.
    o.logic.set_paper(publish::Paper::Letter);
    QString seen;
    QTimer::singleShot(0, [&] {
      auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
      if (preview == nullptr) return;
      const auto* pages = preview->findChild<QPrintPreviewWidget*>();
      seen = QString::number(preview->printer()->pageLayout().pageSize().id() == QPageSize::Letter) +
             QLatin1Char(' ') + QString::number(pages != nullptr && pages->pageCount() > 1);
      preview->reject();
    });
    o.find<QPushButton>("print")->click();
    QCOMPARE(seen, QStringLiteral("1 1"));

    o.find<QRadioButton>("effort_fairest")->click();
    QVERIFY(o.logic.choice().method.kind == schedule::ScheduleMethod::Kind::Fairest &&
            o.find<QSpinBox>("variant")->isEnabled());
    const WeekRow row = o.logic.week_rows()[0];
    QCOMPARE(o.rows("weeks_table").first(),
             QString::fromStdString(std::to_string(row.week) + "||" + row.home + "|" + row.away + "|" +
                                    row.venue));
    QTest::keyClicks(o.find<QLineEdit>("filter"),
                     QStringLiteral("cue TIPS"));  // which rows: the logic's rule
    QCOMPARE(o.rows("weeks_table").size(), 14);
    o.find<QComboBox>("team")->setCurrentIndex(3);  // the weeks reach the logic: the keyboard's test
    QCOMPARE(std::pair(o.logic.chosen_team(), o.rows("fixtures_table").size()),
             std::pair(4, static_cast<qsizetype>(o.logic.fixtures(4).size())));
    QCOMPARE(o.find<QLabel>("team_summary")->text(), QString::fromStdString(o.logic.team_summary(4)));

    Program& p = o.p;
    auto* list = o.find<QListWidget>("unavailable");
    QVERIFY(!list->isEnabled());
    o.find<QCheckBox>("dated")->click();
    const QDate first = o.find<QDateEdit>("first_date")->date();
    o.find<QComboBox>("unavailable_who")->setCurrentIndex(1);
    o.find<QDateEdit>("unavailable_date")->setDate(first.addDays(7));
    o.find<QPushButton>("add_unavailable")->click();
    QCOMPARE(list->count(), 1);
    QVERIFY(list->item(0)->text().startsWith(first.addDays(7).toString(Qt::ISODate)));
    o.find<QSpinBox>("every_days")->setValue(0);
    QCOMPARE(o.find<QLabel>("calendar_status")->text(),
             QStringLiteral("The days between match weeks must be from 1 to 365; 0 is not."));
    QCOMPARE(std::pair(o.find<QSpinBox>("every_days")->value(), o.logic.calendar()->every_days),
             std::pair(7, 7));

    o.find<QComboBox>("team")->setCurrentIndex(1);
    o.find<QComboBox>("export_for")->setCurrentIndex(1);
    p.next_file = (p.folder() / "pocket-rockets.csv").string();
    o.find<QPushButton>("export")->click();
    QCOMPARE(p.requests.back().filters.at(0).name, std::string("Fixture list (*.csv)"));
    QCOMPARE(test::read_file(p.folder() / "pocket-rockets.csv"),
             o.logic.render(publish::Format::FixturesCsv, 2).bytes);
    for (const char* name : {"totals", "overbooked", "team_summary", "calendar_status", "export_status"}) {
      auto* label = o.find<QLabel>(name);
      QVERIFY2(!label->text().isEmpty(), name);
      QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Description), label->text());
    }
    QVERIFY(o.find<QLabel>("totals")->text().contains(QString::number(o.logic.fairness().total_breaks)));
    QCOMPARE(access_faults(&o.window), QStringList());  // the filter's clear button shows, and is named

    auto* format = o.find<QComboBox>("export_format");
    format->setCurrentIndex(format->findText(QStringLiteral("PDF document (*.pdf)")));
    p.next_file = (p.folder() / "season.pdf").string();
    o.find<QPushButton>("export")->click();
    QCOMPARE(test::read_file(p.folder() / "season.pdf").substr(0, 5), std::string("%PDF-"));
    format->setCurrentIndex(format->findText(QStringLiteral("Excel workbook (*.xlsx)")));
    QCOMPARE(std::pair(o.find<QComboBox>("export_for")->isEnabled(),
                       o.find<QComboBox>("export_for")->currentIndex()),
             std::pair(false, 0));
    Season unbuilt(nullptr);  // a league without teams: no season, so no team to export for
    QCOMPARE(std::pair(unbuilt.find<QComboBox>("export_for")->isEnabled(), unbuilt.p.messages.size()),
             std::pair(false, std::size_t{1}));
    list->setCurrentRow(0);
    o.find<QPushButton>("remove_unavailable")->click();
    QCOMPARE(std::pair(list->count(), o.logic.league().unavailable.n_entry), std::pair(0, 0));
    QVERIFY(p.messages.empty());
  }

  // The table model keeps Qt's rules for models and shows each row's look.
  void the_table_model_shows_its_rows_and_their_looks() {
    qt::TextTable table({QStringLiteral("#"), QStringLiteral("Name"), QStringLiteral("Breaks")}, {0, 2},
                        nullptr);
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::QtTest);
    table.set_rows({{"1", "Cue Tips", "3"}, {"2", "Short row"}, {"3", "Over", "9"}},
                   {qt::RowLook::Plain, qt::RowLook::Dim, qt::RowLook::Alert});
    QCOMPARE(std::pair(table.rowCount(), table.columnCount()), std::pair(3, 3));
    QCOMPARE(table.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Name"));
    const auto cell = [&table](int row, int column, int role) { return table.index(row, column).data(role); };
    QCOMPARE(cell(0, 1, Qt::AccessibleTextRole).toString(), QStringLiteral("Cue Tips"));
    QCOMPARE(cell(1, 2, Qt::DisplayRole).toString(), QString());  // a cell the row lacks
    QCOMPARE(cell(0, 2, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
    QCOMPARE(cell(0, 1, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignLeft | Qt::AlignVCenter);
    QCOMPARE(
        std::pair(cell(0, 1, Qt::ForegroundRole).isValid(), cell(1, 1, Qt::FontRole).value<QFont>().italic()),
        std::pair(false, true));
    QCOMPARE(cell(2, 1, Qt::ForegroundRole).value<QColor>(), qt::alert_colour());
    table.set_rows({});
    QCOMPARE(table.rowCount(), 0);
  }

  // A team's breaks are drawn red exactly when its home bar was over its
  // tables in some week; a season within every bar's tables has no red bar.
  // The bars stand on the plot's floor, in proportion, under a whole-number
  // scale that reaches the most breaks. The report's columns show whole.
  void the_chart_draws_a_team_red_when_its_home_bar_is_over_its_tables() {
    Season o("county-league.sch");
    o.find<QRadioButton>("effort_no")->click();
    const season::Season& season = o.logic.season();
    const report::Fairness& f = o.logic.fairness();
    auto* chart = o.find<qt::BreaksChart>("breaks_chart");
    const qt::BreaksSeries& s = chart->series();
    QVERIFY(s.any_over);
    for (const report::TeamLine& t : f.teams) {
      const auto i = static_cast<qsizetype>(t.number - 1);
      const bool over = f.bars[static_cast<std::size_t>(season.team(t.number).bar - 1)].weeks_over_tables > 0;
      QCOMPARE(std::pair(s.breaks[i], s.over[i]), std::pair(t.breaks, over));
    }
    const QColor red = qt::breaks_colour(true);
    QVERIFY(red.red() > 2 * red.green() && red.red() > 2 * red.blue() && qt::breaks_colour(false) != red);

    const QRectF plot(10, 20, 300, 130);
    const qt::BreaksGeometry g = qt::breaks_geometry(s, plot);
    QVERIFY(g.top >= s.most && g.ticks.size() >= 2 && g.ticks.size() <= 8);
    QCOMPARE(std::pair(g.ticks.front().value, g.ticks.back().value), std::pair(0, g.top));
    QCOMPARE(std::pair(g.ticks.front().y, g.ticks.back().y), std::pair(plot.bottom(), plot.top()));
    QCOMPARE(g.bars.size(), s.teams.size());
    for (qsizetype i = 0; i < g.bars.size(); ++i) {
      QVERIFY(plot.contains(g.bars[i].center()) || s.breaks[i] == 0);
      QCOMPARE(g.bars[i].bottom(), plot.bottom());
      QVERIFY(qAbs(g.bars[i].height() - s.breaks[i] * plot.height() / g.top) < 1e-9);
      if (i > 0) QVERIFY(g.bars[i].left() >= g.bars[i - 1].right());
    }
    QVERIFY(!chart->grab().isNull());

    o.find<QRadioButton>("effort_fairest")->click();
    QVERIFY(!chart->series().any_over && chart->series().most > 0);

    // At the first size every column of the Fairness tab's tables shows whole,
    // on the largest example too; long names give way first.
    o.window.show_tab(2);
    QApplication::processEvents();
    for (const char* name : {"team_report", "bar_report"}) {
      auto* view = o.find<QTableView>(name);
      QCOMPARE(view->horizontalScrollBar()->maximum(), 0);
      for (int k = 2; k < view->model()->columnCount(); ++k)
        QVERIFY2(view->columnWidth(k) >= view->horizontalHeader()->sectionSizeHint(k), name);
    }
  }

  // A date typed in is checked once its editing is finished, not halfway
  // through; a date picked without typing is taken at once. No button is a
  // default button: Enter in a field takes that field's value and presses
  // nothing (it used to add the week off standing in its field). Tab leaves a
  // table for the next control.
  void the_keyboard_takes_a_field_a_finished_date_and_leaves_every_table() {
    Season o;
    o.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&o.window));
    auto* first = o.find<QDateEdit>("first_date");
    o.find<QCheckBox>("dated")->click();
    o.find<QCheckBox>("dated")->setFocus();
    first->setDate(QDate(2026, 9, 1));  // as from the pop-up, which holds the focus
    o.find<QDateEdit>("week_off_date")->setDate(QDate(2026, 11, 17));
    o.find<QPushButton>("add_week_off")->click();
    QCOMPARE(o.logic.calendar()->n_off, 1);
    first->setFocus();
    // The day first, as the user did: it ends the field.
    QTest::keyClick(first, Qt::Key_End);
    QTest::keyClick(first, Qt::Key_Backspace);
    QTest::keyClick(first, Qt::Key_Backspace);
    QTest::keyClicks(first, QStringLiteral("06"));  // 2026-09-06 would not reach the week off
    first->setSelectedSection(QDateTimeEdit::MonthSection);
    QTest::keyClicks(first, QStringLiteral("10"));
    QCOMPARE(std::tuple(first->date(), o.find<QLabel>("calendar_status")->text(), o.logic.calendar()->first),
             std::tuple(QDate(2026, 10, 6), QString(), base::Date{2026, 9, 1}));
    QTest::keyClick(first, Qt::Key_Return);
    QCOMPARE(o.logic.calendar()->first, (base::Date{2026, 10, 6}));

    o.find<QDateEdit>("week_off_date")->setDate(QDate(2026, 12, 1));
    const auto enter = [&o](const char* name, const QString& text) {
      QWidget* field = o.find<QWidget>(name);
      QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(field, text);
      QTest::keyClick(field, Qt::Key_Return);
    };
    enter("weeks", QStringLiteral("12"));
    enter("every_days", QStringLiteral("14"));
    enter("filter", QStringLiteral("Cue"));
    enter("variant", QStringLiteral("3"));
    QCOMPARE(std::tuple(o.logic.choice().weeks, o.logic.calendar()->every_days, o.logic.calendar()->n_off),
             std::tuple(12, 14, 1));
    for (const QPushButton* b : o.window.findChildren<QPushButton*>())
      QVERIFY2(!b->autoDefault() && !b->isDefault(), qPrintable(b->objectName()));
    auto* table = o.find<QTableView>("weeks_table");
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Tab);
    QVERIFY(!table->hasFocus());
    // The window goes with a date still in editing: its field's last word
    // must reach nothing of a window half gone (the sanitizers' run sees it).
    first->setFocus();
  }

  // A run on the worker thread: a short one shows nothing; a long one shows
  // its bar after the delay, and its Cancel reaches the run's flag.
  void a_long_run_shows_its_bar_and_cancel_stops_it() {
    const ProgressRunner runner = qt::progress_runner();
    QWidget owner;
    owner.show();
    QApplication::setActiveWindow(&owner);
    int bars_seen = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* bar = qobject_cast<QProgressDialog*>(w);
        if (bar == nullptr || !bar->isVisible()) continue;
        ++bars_seen;
        QCOMPARE(bar->value(), 40);
        QCOMPARE(bar->labelText(), QStringLiteral("Scheduling... Please Wait."));
        bar->findChild<QPushButton*>()->click();
      }
    });
    watch.start(20);
    run_with_progress(runner, [](const schedule::SearchControl& control) { control.progress(0.4); });
    QCOMPARE(bars_seen, 0);
    bool stopped = false;
    run_with_progress(runner, [&](const schedule::SearchControl& control) {
      control.progress(0.4);
      while (!control.cancel->load()) std::this_thread::yield();  // a search that ends only on Cancel
      stopped = true;
    });
    QVERIFY(stopped);
    QCOMPARE(bars_seen, 1);
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
