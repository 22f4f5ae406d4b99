// The desktop program's window on real widgets (offscreen): the form at each
// display size, the notification rules of the Qt shell, and modal boxes
// answered by the test so that nothing waits for a user.

#include "ui/qt/main_window.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include "ui/controls.h"
#include "ui/main_window_logic.h"
#include "ui/qt/qt_window_system.h"

using namespace quintora::ui;
using quintora::base::Answer;
using quintora::base::Buttons;
using quintora::base::EventSink;
using quintora::base::FileDialogRequest;
using quintora::base::Notification;
namespace c = quintora::ui::control;
Q_DECLARE_METATYPE(quintora::ui::DisplaySize)

namespace {

// One window with its logic, as the program assembles them. Boxes are
// recorded and answered OK, or Cancel where there is a choice; file dialogs
// are cancelled.
struct Program {
  explicit Program(DisplaySize size = DisplaySize::Small)
      : window(ws, size),
        logic(ws, std::filesystem::path(dir.path().toStdString()) / "qtra_set.dat", nullptr) {
    ws.set_message_box_answerer([this](const qt::MessageBoxRequest& box) {
      messages.push_back(box.text);
      return box.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    });
    ws.set_file_dialog_answerer([](const FileDialogRequest&) { return std::optional<std::string>(); });
    logic.initialise();
    window.show();
  }
  QTemporaryDir dir;
  qt::QtWindowSystem ws;
  qt::MainWindow window;
  MainWindowLogic logic;
  std::vector<std::string> messages;
};

struct Recorder final : EventSink {
  void on_event(int id, Notification what) override { events.emplace_back(id, what); }
  // The text changes only (focus moves depend on the window's activation).
  std::vector<std::pair<int, Notification>> changes() const {
    std::vector<std::pair<int, Notification>> out;
    for (const auto& e : events)
      if (e.second == Notification::Changed) out.push_back(e);
    return out;
  }
  std::vector<std::pair<int, Notification>> events;
};

QString repeated(const QString& text, int times) { return text.repeated(times); }

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

struct NoDialogLogic final : quintora::base::DialogHandler {
  void on_open(quintora::base::WindowSystem&) override {}
  bool on_command(quintora::base::WindowSystem&, int) override { return false; }
};

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
    QStringList tips;
    for (const QAction* a : p.window.findChild<QToolBar*>()->actions()) tips << a->toolTip();
    QCOMPARE(tips, (QStringList{"New", "Open", "Save"}));
    QStringList menus;
    for (const QAction* a : p.window.menuBar()->actions()) menus << a->text();
    QCOMPARE(menus, (QStringList{"&File", "&View", "&Options", "&About"}));
    QStringList view_items;
    for (const QAction* a : p.window.menuBar()->actions()[1]->menu()->actions()) view_items << a->text();
    QCOMPARE(view_items, (QStringList{"&Schedule...", "S&eason..."}));
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

  void enter_adds_the_typed_bar_and_boxes_are_answered() {
    Program p;
    QTest::keyClicks(p.ws.control(c::bar_name), QStringLiteral("Corner Pocket"));
    QTest::keyClick(p.ws.control(c::bar_name), Qt::Key_Return);
    QCOMPARE(p.ws.list_count(c::bar_list), 1);
    QCOMPARE(p.ws.list_count(c::team_list), 1);  // its automatic team
    QTest::keyClicks(p.ws.control(c::team_name), QStringLiteral("  "));
    QTest::keyClick(p.ws.control(c::team_name), Qt::Key_Return);
    p.window.close();  // the close box asks as Exit does; Cancel keeps the window
    QCOMPARE(p.messages, (std::vector<std::string>{"Not a valid name.",
                                                   "Save changes before closing the current file?"}));
    QVERIFY(p.window.isVisible());
  }

  void program_changes_notify_and_program_selections_do_not() {
    Program p;
    Recorder recorder;
    p.ws.set_event_sink(&recorder);
    p.ws.set_text(c::bar_name, "");
    p.ws.set_text(c::bar_name, "");           // unchanged text notifies too
    p.ws.set_text(c::bar_name_label, "Ace");  // a label stays silent
    p.ws.list_append(c::bar_list, "A", 0);
    p.ws.list_append(c::bar_list, "B", 1);
    p.ws.list_select(c::bar_list, 1);
    p.ws.list_delete(c::bar_list, 1);
    QCOMPARE(p.ws.list_selected(c::bar_list), -1);  // a deleted entry takes its selection along
    auto* bars = qobject_cast<QListWidget*>(p.ws.control(c::bar_list));
    QTest::mouseClick(bars->viewport(), Qt::LeftButton, {}, bars->visualItemRect(bars->item(0)).center());
    const std::vector<std::pair<int, Notification>> expected{{c::bar_name, Notification::Changed},
                                                             {c::bar_name, Notification::Changed},
                                                             {c::bar_list, Notification::SelectionChanged}};
    QVERIFY(recorder.events == expected);
    p.ws.set_event_sink(&p.logic);
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
                  ball = QStringLiteral("\U0001F3B1");
    for (const char* how : {"typed", "committed", "pasted", "accessibility"}) {
      const QString h = QString::fromLatin1(how);
      QTest::addRow("%s ASCII", how) << c::bar_name << h << QString() << QString(60, QLatin1Char('a'))
                                     << QString(59, QLatin1Char('a'));
      QTest::addRow("%s accents", how)
          << c::team_name << h << QString() << repeated(e, 40) << repeated(e, 29);
      QTest::addRow("%s CJK", how) << c::team_name << h << QStringLiteral("ab") << repeated(cjk, 25)
                                   << QStringLiteral("ab") + repeated(cjk, 19);
      QTest::addRow("%s emoji", how) << c::bar_name << h << QStringLiteral("x") << repeated(ball, 20)
                                     << QStringLiteral("x") + repeated(ball, 14);
      QTest::addRow("%s title", how) << c::title << h << QString() << repeated(e, 30) + repeated(ball, 10)
                                     << repeated(e, 30) + repeated(ball, 5);
      QTest::addRow("%s full", how) << c::title << h << repeated(ball, 20) << QStringLiteral("a")
                                    << repeated(ball, 20);
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

  // Text put in through the accessibility interface notifies as typing does,
  // once a change; the program's own setting notifies once, changed or not.
  void every_change_of_a_field_notifies_once() {
    Program p;
    Recorder recorder;
    p.ws.set_event_sink(&recorder);
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
    QVERIFY(recorder.changes() == std::vector(8, std::pair(c::team_name, Notification::Changed)));
  }

  // After a bar was added (which empties the team name field last), a bar
  // name put in by assistive technology makes Enter add that bar.
  void enter_after_an_accessible_entry_adds_in_its_group() {
    Program p;
    QTest::keyClicks(p.ws.control(c::bar_name), QStringLiteral("Corner Pocket"));
    QTest::keyClick(p.ws.control(c::bar_name), Qt::Key_Return);
    QAccessible::queryAccessibleInterface(p.ws.control(c::bar_name))
        ->setText(QAccessible::Value, QStringLiteral("Eight Ball"));
    QTest::keyClick(&p.window, Qt::Key_Return);
    QCOMPARE(p.ws.list_count(c::bar_list), 2);
    QCOMPARE(p.ws.list_text(c::bar_list, 1), std::string("Eight Ball"));
    QVERIFY(p.messages.empty());
  }

  // The displays are found by their caption and read as their text.
  void displays_are_read_as_their_text() {
    Program p;
    const auto read = [&p](int id) {
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(p.ws.control(id));
      return a->text(QAccessible::Name) + QLatin1Char('=') + a->text(QAccessible::Description);
    };
    QCOMPARE(read(c::total_teams_label), QStringLiteral("Total Number of Teams=0"));
    QCOMPARE(read(c::file_name_label), QStringLiteral("File name=Untitled"));
    QTest::keyClicks(p.ws.control(c::bar_name), QStringLiteral("Corner Pocket"));
    QTest::keyClick(p.ws.control(c::bar_name), Qt::Key_Return);
    QCOMPARE(read(c::total_teams_label), QStringLiteral("Total Number of Teams=1"));
    QCOMPARE(read(c::bar_name_label), QStringLiteral("Bar Name=Corner Pocket"));
    QCOMPARE(read(c::team_count_label), QStringLiteral("Number of Teams=1"));
    // The Schedule dialog's status line, while the dialog is open.
    QStringList status;
    QTimer::singleShot(0, &p.window, [&] {
      status << read(c::status);
      p.ws.set_text(c::status, "Scheduling, please wait...");
      status << read(c::status);
      QApplication::activeModalWidget()->close();
    });
    NoDialogLogic logic;
    QCOMPARE(p.ws.run_dialog(dialog::schedule, logic), 0);
    QCOMPARE(status, (QStringList{QStringLiteral("Status=Click on \"Do it\" to Schedule."),
                                  QStringLiteral("Status=Scheduling, please wait...")}));
  }

  // The Schedule dialog's fifth choice and its variant reach the dialog's
  // logic through the window system; the test answers the dialog itself.
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
    QTimer::singleShot(0, [&p] {
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
