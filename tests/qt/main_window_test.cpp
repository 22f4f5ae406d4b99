// The desktop program's window on real widgets (offscreen): the form at each
// display size, the notification rules of the Qt shell, and modal boxes
// answered by the test so that nothing waits for a user.

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include "program.h"

using namespace quintora::ui;
using quintora::base::Notification;
namespace c = quintora::ui::control;
Q_DECLARE_METATYPE(quintora::ui::DisplaySize)

namespace {

// What the window notifies, but focus moves (they depend on the window's activation).
struct Recorder final : quintora::base::EventSink {
  void on_event(int id, Notification what) override {
    if (what != Notification::FocusGained && what != Notification::FocusLost) events.emplace_back(id, what);
  }
  std::vector<std::pair<int, Notification>> events;
};

// Puts text into a field the way the user named in `how` does.
void put(QLineEdit* edit, const QString& how, const QString& text) {
  if (how == QLatin1String("typed")) {  // a key a character (an emoji is two UTF-16 units)
    for (qsizetype i = 0; i < text.size(); ++i) {
      const qsizetype units = text[i].isHighSurrogate() ? 2 : 1;
      QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(i, units));
      QApplication::sendEvent(edit, &key);
      i += units - 1;
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

// A display as a screen reader reads it: its caption, then its text.
QString spoken(Program& p, int display) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(p.ws.control(display));
  return a->text(QAccessible::Name) + QLatin1Char('=') + a->text(QAccessible::Description);
}

QStringList texts(const QList<QAction*>& actions, QString (QAction::*text)() const = &QAction::text) {
  QStringList out;
  for (const QAction* a : actions) out << (a->*text)();
  return out;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void builds_at_each_display_size_data() {
    QTest::addColumn<DisplaySize>("size");
    QTest::newRow("small") << DisplaySize::Small;
    QTest::newRow("medium") << DisplaySize::Medium;
    QTest::newRow("large") << DisplaySize::Large;
  }
  void builds_at_each_display_size() {
    QFETCH(DisplaySize, size);
    static int smaller_width = 0;  // rows run from small to large
    Program p(size);
    QCOMPARE(p.window.windowTitle(), QStringLiteral("Quintora"));
    QCOMPARE(p.window.minimumSize(), p.window.maximumSize());  // not resizable
    QCOMPARE(p.window.centralWidget()->font().pointSize(), point_size(size));
    QVERIFY(p.window.width() > smaller_width);
    smaller_width = p.window.width();
    QCOMPARE(texts(p.window.findChild<QToolBar*>()->actions(), &QAction::toolTip),
             (QStringList{"New", "Open", "Save"}));
    QCOMPARE(texts(p.window.menuBar()->actions()), (QStringList{"&File", "&View", "&Options", "&About"}));
    QCOMPARE(texts(p.window.menuBar()->actions()[1]->menu()->actions()),
             (QStringList{"&Schedule...", "S&eason..."}));
    // Every control can be found by a screen reader.
    for (int id : {c::title, c::total_teams_label, c::bar_list, c::bar_name, c::bar_add, c::bar_rename,
                   c::bar_delete, c::bar_name_label, c::team_count_label, c::tables, c::team_list,
                   c::team_name, c::team_add, c::team_rename, c::team_delete, c::auto_add_team,
                   c::file_name_label, c::schedule_button, c::season_button}) {
      QVERIFY2(!p.ws.control(id)->accessibleName().isEmpty(), qPrintable(QString::number(id)));
    }
  }

  void only_the_three_entry_fields_are_tab_stops() {
    Program p;
    QList<QWidget*> tab_stops;
    for (QWidget* w : p.window.findChildren<QWidget*>()) {
      if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&p.window)) tab_stops << w;
    }
    QCOMPARE(tab_stops, (QList<QWidget*>{p.ws.control(c::bar_name), p.ws.control(c::tables),
                                         p.ws.control(c::team_name)}));
  }

  // Enter adds in the group typed in: after a bar was added (which empties
  // the team name field last), a bar name put in by assistive technology adds
  // that bar. The displays are found by their caption and read as their
  // text; boxes are answered.
  void enter_adds_in_its_group_and_displays_read_as_their_text() {
    Program p;
    QCOMPARE(spoken(p, c::total_teams_label), QStringLiteral("Total Number of Teams=0"));
    QCOMPARE(spoken(p, c::file_name_label), QStringLiteral("File name=Untitled"));
    QTest::keyClicks(p.ws.control(c::bar_name), QStringLiteral("Corner Pocket"));
    QTest::keyClick(p.ws.control(c::bar_name), Qt::Key_Return);
    QCOMPARE(p.ws.list_count(c::team_list), 1);  // its automatic team
    QCOMPARE(spoken(p, c::total_teams_label), QStringLiteral("Total Number of Teams=1"));
    QCOMPARE(spoken(p, c::bar_name_label), QStringLiteral("Bar Name=Corner Pocket"));
    QCOMPARE(spoken(p, c::team_count_label), QStringLiteral("Number of Teams=1"));
    QAccessible::queryAccessibleInterface(p.ws.control(c::bar_name))
        ->setText(QAccessible::Value, QStringLiteral("Eight Ball"));
    QTest::keyClick(&p.window, Qt::Key_Return);
    QCOMPARE(p.ws.list_count(c::bar_list), 2);
    QCOMPARE(p.ws.list_text(c::bar_list, 1), std::string("Eight Ball"));
    QTest::keyClicks(p.ws.control(c::team_name), QStringLiteral("  "));
    QTest::keyClick(p.ws.control(c::team_name), Qt::Key_Return);
    p.window.close();  // the close box asks as Exit does; Cancel keeps the window
    QCOMPARE(p.messages, (std::vector<std::string>{"Not a valid name.",
                                                   "Save changes before closing the current file?"}));
    QVERIFY(p.window.isVisible());
  }

  // The program's own setting of a field notifies once, changed or not; its
  // list changes and selections and a label stay silent. Text put in through
  // the accessibility interface notifies as typing does, once a change.
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
    auto* edit = qobject_cast<QLineEdit*>(p.ws.control(c::team_name));
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(edit);
    QVERIFY(a != nullptr && a->editableTextInterface() != nullptr);
    a->setText(QAccessible::Value, QStringLiteral("Sharks"));
    a->editableTextInterface()->insertText(6, QStringLiteral("!"));
    a->editableTextInterface()->replaceText(0, 1, QStringLiteral("Z"));
    a->editableTextInterface()->deleteText(0, 1);
    QCOMPARE(edit->text(), QStringLiteral("harks!"));
    QTest::keyClicks(edit, QStringLiteral("xy"));
    p.ws.set_text(c::team_name, "Reset");
    p.ws.set_text(c::team_name, "Reset");
    p.ws.set_event_sink(&p.logic);
    std::vector<std::pair<int, Notification>> expected{{c::bar_name, Notification::Changed},
                                                       {c::bar_name, Notification::Changed},
                                                       {c::bar_list, Notification::SelectionChanged}};
    expected.insert(expected.end(), 8, {c::team_name, Notification::Changed});
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
    auto* edit = qobject_cast<QLineEdit*>(p.ws.control(id));
    edit->setText(before);
    put(edit, how, text);
    QCOMPARE(edit->text(), expected);
    const std::size_t room = id == c::title ? 80 : 59;
    QCOMPARE(QString::fromStdString(p.ws.get_text(id, room)), expected);  // nothing more is cut
  }

  // A paste between two letters takes what fits and keeps the text around it.
  void a_paste_inside_the_text_keeps_what_was_there() {
    Program p;
    auto* edit = qobject_cast<QLineEdit*>(p.ws.control(c::team_name));
    edit->setText(QStringLiteral("AB"));
    edit->setCursorPosition(1);
    put(edit, QStringLiteral("pasted"), QStringLiteral("\u00E9").repeated(40));
    QCOMPARE(edit->text(), QStringLiteral("A") + QStringLiteral("\u00E9").repeated(28) + QStringLiteral("B"));
    QCOMPARE(edit->cursorPosition(), 29);
  }

  // The Schedule dialog's fifth choice and its variant reach the dialog's
  // logic through the window system, and its status line is read as its
  // text; the test answers the dialog itself.
  void schedule_dialog_offers_fairest_with_a_variant() {
    Program p;
    struct Handler final : quintora::base::DialogHandler {
      void on_open(quintora::base::WindowSystem& ws) override { ws.set_number(c::variant, 1); }
      bool on_command(quintora::base::WindowSystem& ws, int id) override {
        seen = std::to_string(id) + " " + std::to_string(ws.is_checked(c::effort_fairest)) + " " +
               ws.get_text(c::variant, 9);
        return true;
      }
      std::string seen;
    } handler;
    QStringList status;
    QTimer::singleShot(0, [&] {
      status << spoken(p, c::status);
      p.ws.set_text(c::status, "Scheduling, please wait...");
      status << spoken(p, c::status);
      auto* fairest = qobject_cast<QRadioButton*>(p.ws.control(c::effort_fairest));
      auto* variant = qobject_cast<QSpinBox*>(p.ws.control(c::variant));
      QVERIFY(fairest != nullptr && variant != nullptr);
      QCOMPARE(fairest->text(), QStringLiteral("Fairest: bars within tables, fewest breaks"));
      QCOMPARE(variant->accessibleName(), QStringLiteral("Variant"));
      QCOMPARE(std::pair(variant->minimum(), variant->maximum()), std::pair(1, 1000));
      fairest->setChecked(true);
      variant->setValue(12);
      qobject_cast<QPushButton*>(p.ws.control(c::do_it))->click();
    });
    QCOMPARE(p.ws.run_dialog(dialog::schedule, handler), 1);
    QCOMPARE(handler.seen, std::to_string(c::do_it) + " 1 12");
    QCOMPARE(status, (QStringList{QStringLiteral("Status=Click on \"Do it\" to Schedule."),
                                  QStringLiteral("Status=Scheduling, please wait...")}));
  }

  void league_filter_matches_either_letter_case() {
#ifndef _WIN32
    QCOMPARE(qt::name_filter({"Vazedored Files(*.SCH)", "*.sch"}),
             QStringLiteral("Vazedored Files(*.SCH) (*.[sS][cC][hH])"));
#endif
  }
};

int run_main_window_tests(int argc, char** argv) {
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
