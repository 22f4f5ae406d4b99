#pragma once
// The Fairness tab's chart: the breaks of each team as a bar, drawn in red
// where the team's home bar hosts more matches than its tables in some week,
// so the chart shows both at a glance. Drawn with QPainter: one bar chart
// does not justify a charting library, and Qt Base is all the Windows build
// has to carry.

#include <QColor>
#include <QList>
#include <QRectF>
#include <QStringList>
#include <QWidget>

namespace quintora::ui {
class SeasonWindowLogic;
}

namespace quintora::ui::qt {

// The colour of a team's bar: red when its home bar is over its tables.
QColor breaks_colour(bool home_bar_overbooked);

// The chart's numbers: per team, its breaks and whether its home bar was
// over its tables.
struct BreaksSeries {
  QStringList teams;  // "1", "2" ...
  QList<int> breaks;
  QList<bool> over;
  int most = 0;
  bool any_over = false;
};
BreaksSeries breaks_series(const SeasonWindowLogic& logic);

// Where the bars and the value axis' ticks go in a plot area: kept apart
// from the painting so the scale can be tested without a screen.
struct BreaksGeometry {
  struct Tick {
    int value;
    qreal y;
  };
  int top = 1;  // the value at the plot's top edge
  QList<QRectF> bars;
  QList<Tick> ticks;
};
BreaksGeometry breaks_geometry(const BreaksSeries& series, const QRectF& plot);

// More teams than this and their numbers under the bars would only overlap;
// the table beside names them.
inline constexpr int most_labelled_teams = 30;

class BreaksChart final : public QWidget {
  Q_OBJECT

 public:
  explicit BreaksChart(QWidget* parent = nullptr);
  void set_series(BreaksSeries series);
  const BreaksSeries& series() const { return series_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QRectF plot_area() const;
  BreaksSeries series_;
};

}  // namespace quintora::ui::qt
