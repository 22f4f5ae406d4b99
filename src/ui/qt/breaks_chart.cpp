#include "ui/qt/breaks_chart.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <utility>

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
    s.breaks << t.breaks;
    s.over << red;
    s.most = std::max(s.most, t.breaks);
    s.any_over = s.any_over || red;
  }
  return s;
}

namespace {

// About six ticks whatever the most breaks, on whole numbers.
int tick_interval(int most) { return std::max(1, (most + 5) / 6); }

int value_top(int most) {
  const int step = tick_interval(most);
  return (std::max(most, 1) + step - 1) / step * step;
}

QString chart_title(const BreaksSeries& s) {
  if (s.teams.size() <= most_labelled_teams) return QStringLiteral("Breaks per team");
  return QStringLiteral("Breaks per team, teams 1 to ") + QString::number(s.teams.size());
}

const QString over_caption = QStringLiteral("Breaks, home bar over its tables");

}  // namespace

BreaksGeometry breaks_geometry(const BreaksSeries& s, const QRectF& plot) {
  BreaksGeometry g;
  g.top = value_top(s.most);
  const qreal per_break = plot.height() / g.top;
  for (int v = 0; v <= g.top; v += tick_interval(s.most))
    g.ticks.push_back({v, plot.bottom() - v * per_break});
  if (s.teams.isEmpty()) return g;
  const qreal slot = plot.width() / static_cast<qreal>(s.teams.size());
  constexpr qreal bar_share = 0.7;
  for (qsizetype i = 0; i < s.breaks.size(); ++i) {
    const qreal height = s.breaks[i] * per_break;
    const qreal left = plot.left() + (static_cast<qreal>(i) + (1 - bar_share) / 2) * slot;
    g.bars.push_back(QRectF(left, plot.bottom() - height, slot * bar_share, height));
  }
  return g;
}

BreaksChart::BreaksChart(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
}

void BreaksChart::set_series(BreaksSeries series) {
  series_ = std::move(series);
  // A screen reader gets the chart's gist; the table beside has every figure.
  QString gist =
      chart_title(series_) + QStringLiteral(": most breaks of a team ") + QString::number(series_.most);
  if (series_.any_over) gist += QStringLiteral("; red bars: ") + over_caption;
  setAccessibleDescription(gist);
  update();
}

QRectF BreaksChart::plot_area() const {
  const QFontMetrics fm = fontMetrics();
  const int line = fm.height();
  const int margin = line / 2;
  const bool labelled = series_.teams.size() <= most_labelled_teams;
  const int tick_labels = fm.horizontalAdvance(QString::number(value_top(series_.most))) + margin;
  const int left = margin + line + tick_labels;
  const int top = margin + line + margin;
  const int bottom = margin + line + margin + (labelled ? 2 * line : 0);
  return QRectF(left, top, std::max(1, width() - left - 2 * margin), std::max(1, height() - top - bottom));
}

void BreaksChart::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QFontMetrics fm = fontMetrics();
  const int line = fm.height();
  const int margin = line / 2;
  const QRectF plot = plot_area();
  const BreaksGeometry g = breaks_geometry(series_, plot);
  const QColor text = palette().color(QPalette::Text);
  QColor grid = palette().color(QPalette::Mid);
  grid.setAlpha(90);

  p.setPen(text);
  p.drawText(QRectF(0, margin, width(), line), Qt::AlignCenter, chart_title(series_));
  for (const BreaksGeometry::Tick& t : g.ticks) {
    p.setPen(grid);
    p.drawLine(QPointF(plot.left(), t.y), QPointF(plot.right(), t.y));
    p.setPen(text);
    p.drawText(QRectF(0, t.y - line / 2.0, plot.left() - margin / 2.0, line),
               Qt::AlignRight | Qt::AlignVCenter, QString::number(t.value));
  }
  p.save();
  p.translate(margin, plot.center().y());
  p.rotate(-90);
  p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignCenter, QStringLiteral("Breaks"));
  p.restore();

  const bool labelled = series_.teams.size() <= most_labelled_teams;
  for (qsizetype i = 0; i < g.bars.size(); ++i) {
    p.fillRect(g.bars[i], breaks_colour(series_.over[i]));
    if (labelled)
      p.drawText(QRectF(g.bars[i].center().x() - line * 2, plot.bottom(), line * 4, line), Qt::AlignCenter,
                 series_.teams[i]);
  }
  p.drawLine(plot.bottomLeft(), plot.bottomRight());
  p.drawLine(plot.bottomLeft(), plot.topLeft());
  if (labelled)
    p.drawText(QRectF(plot.left(), plot.bottom() + line, plot.width(), line), Qt::AlignCenter,
               QStringLiteral("Team"));

  // The legend: the red entry only when some bar is over its tables.
  QList<std::pair<QColor, QString>> entries{{breaks_colour(false), QStringLiteral("Breaks")}};
  if (series_.any_over) entries.push_back({breaks_colour(true), over_caption});
  int legend_width = 0;
  for (const auto& e : entries) legend_width += line + margin + fm.horizontalAdvance(e.second) + line;
  qreal x = (width() - legend_width) / 2.0;
  const qreal y = height() - margin - line;
  for (const auto& [colour, caption] : entries) {
    p.fillRect(QRectF(x, y + line / 4.0, line / 2.0, line / 2.0), colour);
    x += line / 2.0 + margin;
    p.drawText(QRectF(x, y, fm.horizontalAdvance(caption) + 1, line), Qt::AlignLeft | Qt::AlignVCenter,
               caption);
    x += fm.horizontalAdvance(caption) + line;
  }
}

// Hovering a bar names its team and figure, as a chart's data points do.
bool BreaksChart::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QRectF plot = plot_area();
  const qsizetype n = series_.teams.size();
  const qreal x = help->pos().x() - plot.left();
  if (n == 0 || x < 0 || x >= plot.width() || !plot.contains(plot.left(), help->pos().y())) {
    QToolTip::hideText();
    event->ignore();
    return true;
  }
  const auto i = std::min(n - 1, static_cast<qsizetype>(x / (plot.width() / static_cast<qreal>(n))));
  QString tip = QStringLiteral("Team ") + series_.teams[i] + QStringLiteral(": ") +
                QString::number(series_.breaks[i]) +
                (series_.breaks[i] == 1 ? QStringLiteral(" break") : QStringLiteral(" breaks"));
  if (series_.over[i]) tip += QStringLiteral(", home bar over its tables");
  QToolTip::showText(help->globalPos(), tip, this);
  return true;
}

}  // namespace quintora::ui::qt
