#include "ui/qt/breaks_chart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QLegend>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>

#include "ui/season_window.h"

namespace quintora::ui::qt {

QColor breaks_colour(bool home_bar_overbooked) {
  return home_bar_overbooked ? QColor(0xc6, 0x28, 0x28) : QColor(0x3b, 0x6e, 0xa5);
}

BreaksSeries breaks_series(const SeasonWindowLogic& logic) {
  BreaksSeries s;
  for (const report::TeamLine& t : logic.fairness().teams) {
    const bool red = logic.home_bar_overbooked(t.number);
    s.teams << QString::number(t.number);
    s.within << (red ? 0 : t.breaks);
    s.over << (red ? t.breaks : 0);
    s.most = std::max(s.most, t.breaks);
    s.any_over = s.any_over || red;
  }
  return s;
}

namespace {

void add_axes(QChart* chart, QStackedBarSeries* series, const BreaksSeries& s) {
  auto* x = new QBarCategoryAxis;
  x->append(s.teams);
  // Numbers of many teams would only overlap; the table beside names them.
  constexpr int most_labels = 30;
  const bool labelled = s.teams.size() <= most_labels;
  x->setLabelsVisible(labelled);
  x->setTitleText(QStringLiteral("Team"));
  x->setTitleVisible(labelled);
  if (!labelled)
    chart->setTitle(QStringLiteral("Breaks per team, teams 1 to ") + QString::number(s.teams.size()));
  chart->addAxis(x, Qt::AlignBottom);
  series->attachAxis(x);
  auto* y = new QValueAxis;
  y->setRange(0, std::max(s.most, 1));
  y->setTickType(QValueAxis::TicksDynamic);
  y->setTickAnchor(0);
  y->setTickInterval(std::max(1, (s.most + 5) / 6));
  y->setLabelFormat(QStringLiteral("%d"));
  y->setTitleText(QStringLiteral("Breaks"));
  chart->addAxis(y, Qt::AlignLeft);
  series->attachAxis(y);
}

}  // namespace

QChart* breaks_chart(const BreaksSeries& s) {
  auto* chart = new QChart;
  chart->setTitle(QStringLiteral("Breaks per team"));
  chart->setAnimationOptions(QChart::NoAnimation);
  auto* series = new QStackedBarSeries;
  auto* within = new QBarSet(QStringLiteral("Breaks"));
  within->setColor(breaks_colour(false));
  within->append(s.within);
  series->append(within);
  // The red set only when some bar is over its tables: its legend entry says so.
  if (s.any_over) {
    auto* over = new QBarSet(QStringLiteral("Breaks, home bar over its tables"));
    over->setColor(breaks_colour(true));
    over->append(s.over);
    series->append(over);
  }
  series->setBarWidth(0.7);
  chart->addSeries(series);
  add_axes(chart, series, s);
  chart->legend()->setVisible(true);
  chart->legend()->setAlignment(Qt::AlignBottom);
  return chart;
}

}  // namespace quintora::ui::qt
