#pragma once
// The Fairness tab's chart: the breaks of each team as a bar, drawn in red
// where the team's home bar hosts more matches than its tables in some week,
// so the chart shows both at a glance.

#include <QColor>
#include <QList>
#include <QStringList>

class QChart;

namespace quintora::ui {
class SeasonWindowLogic;
}

namespace quintora::ui::qt {

// The colour of a team's bar: red when its home bar is over its tables.
QColor breaks_colour(bool home_bar_overbooked);

// The chart's numbers: per team, its breaks in the set of its colour and 0
// in the other (the two sets are stacked).
struct BreaksSeries {
  QStringList teams;  // "1", "2" ...
  QList<qreal> within;
  QList<qreal> over;
  int most = 0;
  bool any_over = false;
};
BreaksSeries breaks_series(const SeasonWindowLogic& logic);

// A new chart of the series; the caller owns it.
QChart* breaks_chart(const BreaksSeries& series);

}  // namespace quintora::ui::qt
