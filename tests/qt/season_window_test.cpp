// The Season window on real widgets (offscreen): opened from the View menu,
// rebuilt by the build choice, narrowed by the filter, a refused calendar
// value, and an export whose file dialog the test answers. The modal window
// is closed from a timer, so nothing waits for a user.

#include "ui/qt/season_window.h"

#include <QAbstractItemModel>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <fstream>
#include <iterator>

#include "program.h"
#include "ui/window_size.h"

using namespace quintora;
using namespace quintora::ui;

namespace {

std::string read_all(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The spring example league open, and its Season window shown without its
// modal loop, for the tests that drive it.
struct OpenWindow {
  OpenWindow() : logic(p.logic.league(), p.ws), window(logic, p.folder() / "season_window.dat", &p.window) {
    window.show();
  }
  template <class W>
  W* find(const char* name) {
    W* w = window.findChild<W*>(QString::fromLatin1(name));
    if (w == nullptr) qWarning("no %s", name);
    return w;
  }
  // A table's cells, row by row, columns joined by '|'.
  QStringList rows(const char* table) {
    QStringList out;
    const QAbstractItemModel* model = find<QTableView>(table)->model();
    for (int r = 0; r < model->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < model->columnCount(); ++c) cells << model->index(r, c).data().toString();
      out << cells.join(QLatin1Char('|'));
    }
    return out;
  }
  Program p{DisplaySize::Small, "spring-league.sch"};
  SeasonWindowLogic logic;
  qt::SeasonWindow window;
};

}  // namespace

class SeasonWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // View > Season... opens the window through the program's opener; it is
  // modal, resizable, every control has a name, and it keeps its size.
  void opens_from_the_view_menu_and_keeps_its_size() {
    Program p(DisplaySize::Small, "spring-league.sch");
    const auto size_file = p.folder() / "season_window.dat";
    p.logic.set_season_window_opener(qt::season_window_opener(&p.window, size_file));
    QStringList seen;
    QStringList unnamed;
    QTimer::singleShot(0, [&] {
      auto* w = qobject_cast<qt::SeasonWindow*>(QApplication::activeModalWidget());
      if (w == nullptr) return;
      seen << w->windowTitle() << QString::number(w->isModal())
           << QString::number(w->parentWidget() == &p.window);
      const auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("tabs"));
      for (int i = 0; i < tabs->count(); ++i) seen << tabs->tabText(i);
      for (QWidget* c : w->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c) ||
                             qobject_cast<QAbstractSpinBox*>(c) || qobject_cast<QComboBox*>(c) ||
                             qobject_cast<QAbstractItemView*>(c);
        if (control && c->isVisibleTo(w) && c->accessibleName().isEmpty() && c->parentWidget() != nullptr &&
            !c->objectName().startsWith(QLatin1String("qt_")) &&
            !qobject_cast<QAbstractItemView*>(c->parentWidget()) &&
            !qobject_cast<QAbstractSpinBox*>(c->parentWidget())) {
          unnamed << QString::fromLatin1(c->metaObject()->className()) + QLatin1Char(' ') + c->objectName();
        }
      }
      w->resize(1234, 876);
      w->reject();
    });
    p.window.menuBar()->actions()[1]->menu()->actions()[1]->trigger();  // View > Season...
    QCOMPARE(seen, (QStringList{"Season - Riverside Pool League - Spring 2026", "1", "1", "&Weeks", "&Teams",
                                "&Fairness"}));
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    QCOMPARE(read_window_size(size_file), (WindowSize{1234, 876}));
    QVERIFY(p.messages.empty());
    QCOMPARE(p.ws.control(control::season_button)->accessibleName(), QStringLiteral("Season..."));
  }

  // The build choice rebuilds the tables; the filter narrows the Weeks tab
  // to a team, and the Teams tab follows the team picked there.
  void the_tables_follow_the_choice_the_filter_and_the_team() {
    OpenWindow o;
    const QStringList before = o.rows("weeks_table");
    QCOMPARE(before.size(), 14 * 4);
    o.find<QRadioButton>("effort_fairest")->click();
    QVERIFY(o.logic.choice().fairest);
    QVERIFY(o.find<QSpinBox>("variant")->isEnabled());
    const QStringList fairest = o.rows("weeks_table");
    QVERIFY(fairest != before);
    const WeekRow first = o.logic.week_rows()[0];
    QCOMPARE(fairest.first(), QString::fromStdString(std::to_string(first.week) + "||" + first.home + "|" +
                                                     first.away + "|" + first.venue));
    QTest::keyClicks(o.find<QLineEdit>("filter"), QStringLiteral("cue TIPS"));
    const QStringList rows = o.rows("weeks_table");
    QCOMPARE(rows.size(), 14);
    for (const QString& row : rows) QVERIFY2(row.contains(QStringLiteral("|Cue Tips|")), qPrintable(row));
    o.find<QSpinBox>("weeks")->setValue(3);
    QCOMPARE(o.rows("weeks_table").size(), 3);
    QCOMPARE(o.find<QLabel>("totals")->text(), QString::fromStdString(o.logic.totals_text()));
    QCOMPARE(o.rows("team_report").size(), 8);
    o.find<QComboBox>("team")->setCurrentIndex(3);
    QCOMPARE(o.logic.chosen_team(), 4);
    QCOMPARE(o.rows("fixtures_table").size(), 3);
    QCOMPARE(o.find<QLabel>("team_summary")->text(), QString::fromStdString(o.logic.team_summary(4)));
  }

  // Zero days between weeks is said next to the fields and not taken.
  void a_refused_calendar_value_is_said_and_not_kept() {
    OpenWindow o;
    o.find<QCheckBox>("dated")->click();
    QVERIFY(o.logic.calendar().has_value());
    const QString first_date =
        o.find<QDateEdit>("first_date")->date().toString(QStringLiteral("ddd yyyy-MM-dd"));
    QVERIFY(o.rows("weeks_table").first().startsWith(QStringLiteral("1|") + first_date + QLatin1Char('|')));
    auto* every = o.find<QSpinBox>("every_days");
    every->setValue(0);
    QCOMPARE(o.find<QLabel>("calendar_status")->text(),
             QStringLiteral("The days between match weeks must be from 1 to 365; 0 is not."));
    QCOMPARE(every->value(), 7);
    QCOMPARE(o.logic.calendar()->every_days, 7);
    o.find<QCheckBox>("dated")->click();
    QVERIFY(!o.logic.calendar().has_value());
    QVERIFY(!o.find<QSpinBox>("every_days")->isEnabled());
  }

  // Export asks the window system for a file of the format's type and writes
  // what the publishing library makes; the PDF comes from the Qt renderer.
  void export_writes_the_chosen_format_for_the_chosen_team() {
    OpenWindow o;
    Program& p = o.p;
    o.find<QComboBox>("team")->setCurrentIndex(1);
    o.find<QComboBox>("export_for")->setCurrentIndex(1);
    const auto csv = p.folder() / "pocket-rockets.csv";
    p.next_file = csv.string();
    o.find<QPushButton>("export")->click();
    QCOMPARE(p.requests.size(), std::size_t{2});  // the league's open dialog, then this one
    QCOMPARE(QString::fromStdString(p.requests.back().filters[0].name),
             QStringLiteral("Fixture list (*.csv)"));
    QCOMPARE(read_all(csv), o.logic.render(publish::Format::FixturesCsv, 2).bytes);
    QCOMPARE(o.find<QLabel>("export_status")->text(), QString::fromStdString("Saved " + csv.string() + "."));

    auto* format = o.find<QComboBox>("export_format");
    format->setCurrentIndex(format->findText(QStringLiteral("PDF document (*.pdf)")));
    const auto pdf = p.folder() / "season.pdf";
    p.next_file = pdf.string();
    o.find<QPushButton>("export")->click();
    QCOMPARE(read_all(pdf).substr(0, 5), std::string("%PDF-"));
    // The workbook is the whole league's only: no team to choose.
    format->setCurrentIndex(format->findText(QStringLiteral("Excel workbook (*.xlsx)")));
    QVERIFY(!o.find<QComboBox>("export_for")->isEnabled());
    QCOMPARE(o.find<QComboBox>("export_for")->currentIndex(), 0);
    QVERIFY(p.messages.empty());
  }
};

int run_season_window_tests(int argc, char** argv) {
  SeasonWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "season_window_test.moc"
