// The desktop program's window on real widgets (offscreen): the form at each
// display size, the notification rules of the Qt shell, and modal boxes
// answered by the test so that nothing waits for a user.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>
#include <memory>
#include <vector>

#include "ui/main_window_logic.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_window_system.h"

using namespace quintora;
using namespace quintora::ui;
namespace c = quintora::ui::control;

Q_DECLARE_METATYPE(quintora::ui::DisplaySize)

namespace {

// Records what reaches the window's event sink.
class Recorder final : public EventSink {
 public:
  void on_event(int id, Notification what) override { events.emplace_back(id, what); }
  int count(int id, Notification what) const {
    int n = 0;
    for (const auto& e : events) n += (e.first == id && e.second == what) ? 1 : 0;
    return n;
  }
  std::vector<std::pair<int, Notification>> events;
};

// One window with its logic, as the program assembles them.
struct Program {
  explicit Program(DisplaySize size = DisplaySize::Small)
      : window(ws, size), logic(ws, std::filesystem::path(dir.path().toStdString()) / "qtra_set.dat", [this](int code) {
          quit_code = code;
        }) {
    ws.set_message_box_answerer([this](const qt::MessageBoxRequest& request) {
      messages.push_back(request);
      return request.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    });
    ws.set_file_dialog_answerer([](const FileDialogRequest&) { return std::optional<std::string>(); });
    logic.initialise();
    window.show();
  }
  template <class W>
  W* widget(int id) {
    return qobject_cast<W*>(ws.control(id));
  }
  QTemporaryDir dir;
  qt::QtWindowSystem ws;
  qt::MainWindow window;
  MainWindowLogic logic;
  std::vector<qt::MessageBoxRequest> messages;
  int quit_code = -1;
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void builds_at_each_display_size_data() {
    QTest::addColumn<DisplaySize>("size");
    QTest::addColumn<int>("points");
    QTest::newRow("small") << DisplaySize::Small << 8;
    QTest::newRow("medium") << DisplaySize::Medium << 10;
    QTest::newRow("large") << DisplaySize::Large << 12;
  }

  void builds_at_each_display_size() {
    QFETCH(DisplaySize, size);
    QFETCH(int, points);
    Program p(size);
    QCOMPARE(p.window.windowTitle(), QStringLiteral("Quintora"));
    QCOMPARE(p.window.minimumSize(), p.window.maximumSize());  // not resizable
    QVERIFY(!(p.window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(p.window.centralWidget()->font().pointSize(), points);
    QCOMPARE(p.widget<QLabel>(c::file_name_label)->text(), QStringLiteral("Untitled"));
    QCOMPARE(p.widget<QLabel>(c::total_teams_label)->text(), QStringLiteral("0"));
    QVERIFY(p.ws.is_checked(c::auto_add_team));

    const auto* toolbar = p.window.findChild<QToolBar*>();
    QVERIFY(toolbar != nullptr);
    QStringList tips;
    for (const QAction* a : toolbar->actions()) tips << a->toolTip();
    QCOMPARE(tips, (QStringList{"New", "Open", "Save"}));
    QStringList menus;
    for (const QAction* a : p.window.menuBar()->actions()) menus << a->text();
    QCOMPARE(menus, (QStringList{"&File", "&View", "&Options", "&About"}));

    // Every control can be found by a screen reader.
    for (int id : {c::title, c::total_teams_label, c::bar_list, c::bar_name, c::bar_add, c::bar_rename, c::bar_delete,
                   c::bar_name_label, c::team_count_label, c::tables, c::team_list, c::team_name, c::team_add,
                   c::team_rename, c::team_delete, c::auto_add_team, c::file_name_label, c::schedule_button}) {
      QVERIFY2(!p.ws.control(id)->accessibleName().isEmpty(), qPrintable(QString::number(id)));
    }
  }

  void larger_sizes_give_a_larger_window() {
    Program small(DisplaySize::Small);
    Program large(DisplaySize::Large);
    QVERIFY(large.window.width() > small.window.width());
    QVERIFY(large.window.height() > small.window.height());
  }

  void only_the_three_entry_fields_are_tab_stops() {
    Program p;
    QList<QWidget*> tab_stops;
    for (QWidget* w : p.window.findChildren<QWidget*>()) {
      if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&p.window) && !qobject_cast<QToolBar*>(w->parentWidget()))
        tab_stops << w;
    }
    QCOMPARE(tab_stops.size(), 3);
    QVERIFY(tab_stops.contains(p.ws.control(c::bar_name)));
    QVERIFY(tab_stops.contains(p.ws.control(c::tables)));
    QVERIFY(tab_stops.contains(p.ws.control(c::team_name)));
    QCOMPARE(p.ws.control(c::bar_name)->nextInFocusChain()->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
  }

  void typed_bar_name_and_enter_add_the_bar() {
    Program p;
    auto* bar_name = p.widget<QLineEdit>(c::bar_name);
    QTest::keyClicks(bar_name, QStringLiteral("Corner Pocket"));
    QTest::keyClick(bar_name, Qt::Key_Return);
    auto* bars = p.widget<QListWidget>(c::bar_list);
    QCOMPARE(bars->count(), 1);
    QCOMPARE(bars->item(0)->text(), QStringLiteral("Corner Pocket"));
    QCOMPARE(bars->currentRow(), 0);
    QCOMPARE(p.logic.league().n_bar, 1);
    QCOMPARE(p.widget<QListWidget>(c::team_list)->count(), 1);  // its automatic team
    QCOMPARE(p.widget<QLabel>(c::total_teams_label)->text(), QStringLiteral("1"));
    QVERIFY(bar_name->text().isEmpty());
    QVERIFY(p.messages.empty());

    // Enter in the team field with nothing typed: the test answers the box.
    auto* team_name = p.widget<QLineEdit>(c::team_name);
    QTest::keyClicks(team_name, QStringLiteral("  "));
    QTest::keyClick(team_name, Qt::Key_Return);
    QCOMPARE(p.messages.size(), std::size_t{1});
    QCOMPARE(p.messages.back().text, std::string("Not a valid name."));
    QCOMPARE(p.messages.back().caption, std::string("Sorry !"));
  }

  void close_box_asks_like_exit() {
    Program p;
    QTest::keyClicks(p.widget<QLineEdit>(c::bar_name), QStringLiteral("Corner Pocket"));
    QTest::keyClick(p.widget<QLineEdit>(c::bar_name), Qt::Key_Return);
    p.window.close();  // the answerer says Cancel
    QCOMPARE(p.messages.back().text, std::string("Save changes before closing the current file?"));
    QCOMPARE(p.quit_code, -1);
    QVERIFY(p.window.isVisible());
  }

  void program_changes_notify_and_program_selections_do_not() {
    Program p;
    Recorder recorder;
    p.ws.set_event_sink(&recorder);
    p.ws.set_text(c::bar_name, "");
    p.ws.set_text(c::bar_name, "");  // unchanged text notifies too
    QCOMPARE(recorder.count(c::bar_name, Notification::Changed), 2);
    p.ws.set_text(c::bar_name_label, "Corner Pocket");  // a label stays silent
    QCOMPARE(recorder.events.size(), std::size_t{2});

    p.ws.list_append(c::bar_list, "A", 0);
    p.ws.list_append(c::bar_list, "B", 1);
    p.ws.list_select(c::bar_list, 1);
    p.ws.list_delete(c::bar_list, 1);
    QCOMPARE(recorder.count(c::bar_list, Notification::SelectionChanged), 0);
    QCOMPARE(p.ws.list_selected(c::bar_list), -1);  // a deleted entry takes its selection along

    auto* bars = p.widget<QListWidget>(c::bar_list);
    QTest::mouseClick(bars->viewport(), Qt::LeftButton, {}, bars->visualItemRect(bars->item(0)).center());
    QCOMPARE(recorder.count(c::bar_list, Notification::SelectionChanged), 1);
    QCOMPARE(p.ws.list_tag(c::bar_list, 0), 0);
    p.ws.set_event_sink(&p.logic);
  }

  void real_message_box_is_answered_by_the_test() {
    Program p;
    p.ws.set_message_box_answerer({});
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      seen = box->windowTitle() == QStringLiteral("Warning !") && box->icon() == QMessageBox::Warning &&
             box->accessibleDescription() == QStringLiteral("Save changes before continue?");
      box->button(QMessageBox::Cancel)->click();
    });
    const Answer answer = p.ws.message_box("Save changes before continue?", "Warning !", Icon::Exclamation, Buttons::OkCancel);
    QVERIFY(seen);
    QCOMPARE(answer, Answer::Cancel);
  }

  void schedule_dialog_form_is_filled_and_cancelled() {
    Program p;
    struct Probe final : DialogHandler {
      void on_open(WindowSystem& ws) override {
        ws.set_number(c::weeks, 10);
        ws.set_checked(c::effort_yes, true);
        opened = true;
      }
      bool on_command(WindowSystem&, int) override { return true; }
      bool opened = false;
    } probe;
    QString status;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (dialog == nullptr) return;
      status = qobject_cast<QLabel*>(p.ws.control(c::status))->text();
      QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QCOMPARE(p.ws.run_dialog(DialogId::Schedule, probe), 0);
    QVERIFY(probe.opened);
    QCOMPARE(status, QStringLiteral("Click on \"Do it\" to Schedule."));
    QVERIFY(p.ws.control(c::weeks) == nullptr);  // its controls are gone with it
  }

  void league_filter_matches_either_letter_case() {
    const QString filter = qt::name_filter({"Vazedored Files(*.SCH)", "*.sch"});
#ifdef _WIN32
    QCOMPARE(filter, QStringLiteral("Vazedored Files(*.SCH) (*.sch)"));
#else
    QCOMPARE(filter, QStringLiteral("Vazedored Files(*.SCH) (*.[sS][cC][hH])"));
#endif
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
