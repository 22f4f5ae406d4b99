// The printable page drawn page by page with QPainter. Each paragraph and
// table cell is one QTextLayout (which wraps it and finds a font for every
// script), laid out, drawn and freed in turn; the pages are cut here. This
// stays linear in the size of the league, where QTextDocument's tables take
// most of a minute over a league of a hundred teams.

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLineF>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <array>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "base/text.h"
#include "publish/common.h"
#include "publish/pdf/pdf.h"
#include "publish/printable.h"

namespace quintora::publish {

namespace {

using Page = detail::PrintablePage;

// Line breaks and tabs in a name become blanks, as in HTML; other control
// characters, which no font draws, become U+FFFD like invalid UTF-8.
QString qt_text(std::string_view utf8) {
  const std::string clean = base::without_control_characters(utf8, "\t\n\r");
  QString text = QString::fromUtf8(clean.data(), static_cast<qsizetype>(clean.size()));
  for (QChar& c : text) {
    if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
  }
  return text;
}

QFont font(qreal points, bool bold = false, bool italic = false) {
  QFont f;
  f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"),
                 QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(points);
  f.setBold(bold);
  f.setItalic(italic);
  return f;
}

// One piece of text laid out within a width, ready to draw.
struct Text {
  std::unique_ptr<QTextLayout> layout;
  qreal height = 0;
};

class Pages {
 public:
  Pages(QPagedPaintDevice& device, QPainter& painter);

  bool ok() const { return ok_; }
  qreal points(qreal pt) const { return pt * dpi_ / 72.0; }
  const QRectF& body() const { return body_; }
  qreal y() const { return y_; }

  Text lay_out(const QString& text, const QFont& font, qreal width) const;
  qreal width_of(const QString& text, const QFont& font) const {
    return QFontMetricsF(font, &device_).horizontalAdvance(text);
  }
  // Draws at the left of the body and moves down by its height.
  void draw(const Text& text, const QColor& color);
  // Draws at (x, y) without moving down.
  void draw_at(const Text& text, const QColor& color, qreal x, qreal y);
  void fill(const QRectF& area, const QColor& color) { painter_.fillRect(area, color); }
  void rule(const QList<QLineF>& lines, const QColor& color, qreal width) {
    painter_.setPen(QPen(color, width));
    painter_.drawLines(lines);
  }
  void move_down(qreal height) { y_ += height; }
  // Space above a paragraph, which a page does not begin with.
  void space(qreal height) {
    if (!fresh_) y_ += height;
  }
  // Whether `height` more fits on this page; anything fits on a fresh page,
  // where waiting for the next one would not help.
  bool fits(qreal height) const { return fresh_ || y_ + height <= body_.bottom(); }
  bool fresh() const { return fresh_; }
  void new_page();
  void finish() { number_page(); }

 private:
  void number_page();

  QPagedPaintDevice& device_;
  QPainter& painter_;
  qreal dpi_;
  QRectF body_;         // the text's room on every page
  QRectF number_room_;  // the page number's, below it
  QFont number_font_ = font(9);
  qreal y_ = 0;
  int page_ = 1;
  bool fresh_ = true;
  bool ok_ = true;
};

Pages::Pages(QPagedPaintDevice& device, QPainter& painter)
    : device_(device), painter_(painter), dpi_(device.logicalDpiX()) {
  // The painter's origin is the corner of the device's printable area. The
  // text keeps 15 mm from the paper's edges, as the HTML page's print
  // stylesheet asks, or keeps to that area when its margins are wider.
  const QPageLayout layout = device.pageLayout();
  const QRect paint_rect = layout.paintRectPixels(device.logicalDpiX());
  const QRectF printable(QPointF(0, 0), QSizeF(paint_rect.size()));
  const QRectF paper =
      QRectF(layout.fullRectPixels(device.logicalDpiX())).translated(-QPointF(paint_rect.topLeft()));
  const qreal margin = points(15 * 72 / 25.4);
  QRectF frame = paper.marginsRemoved(QMarginsF(margin, margin, margin, margin)) & printable;
  if (frame.isEmpty()) frame = printable;
  const qreal number_height = QFontMetricsF(number_font_, &device).height();
  const qreal number_top = std::min(frame.bottom() + points(12), printable.bottom() - number_height);
  number_room_ = QRectF(frame.left(), number_top, frame.width(), number_height);
  body_ = frame;
  body_.setBottom(std::min(frame.bottom(), number_top - points(6)));
  y_ = body_.top();
}

Text Pages::lay_out(const QString& text, const QFont& font, qreal width) const {
  Text out{std::make_unique<QTextLayout>(text, font, &device_), 0};
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  out.layout->setTextOption(option);
  out.layout->beginLayout();
  for (QTextLine line = out.layout->createLine(); line.isValid(); line = out.layout->createLine()) {
    line.setLineWidth(std::max(width, qreal(1)));
    line.setPosition(QPointF(0, out.height));
    out.height += line.height();
  }
  out.layout->endLayout();
  return out;
}

void Pages::draw(const Text& text, const QColor& color) {
  draw_at(text, color, body_.left(), y_);
  y_ += text.height;
}

void Pages::draw_at(const Text& text, const QColor& color, qreal x, qreal y) {
  painter_.setPen(color);
  text.layout->draw(&painter_, QPointF(x, y));
  fresh_ = false;
}

void Pages::new_page() {
  number_page();
  if (!device_.newPage()) ok_ = false;
  ++page_;
  y_ = body_.top();
  fresh_ = true;
}

void Pages::number_page() {
  painter_.setPen(Qt::black);
  painter_.setFont(number_font_);
  painter_.drawText(number_room_, Qt::AlignRight | Qt::AlignVCenter, QString::number(page_));
}

// How the page looks; sizes in points, as in the HTML page's stylesheet.
struct Look {
  explicit Look(const Pages& pages)
      : gap_above_week(pages.points(10)),
        gap_below_heading(pages.points(4)),
        gap_below_week_heading(pages.points(2)),
        gap_below_line(pages.points(1)),
        gap_below_note(pages.points(8)),
        cell_padding_x(pages.points(3)),
        cell_padding_y(pages.points(1.5)),
        rule(pages.points(0.5)) {}
  QFont title = font(18, true);
  QFont team = font(14, true);
  QFont heading = font(11, true);
  QFont text = font(10);
  QFont bye = font(10, false, true);
  QFont column = font(10, true);
  QColor ink = Qt::black;
  QColor grey_ink = QColor(0x44, 0x44, 0x44);
  QColor column_shade = QColor(0xee, 0xee, 0xee);
  QColor rule_colour = QColor(0x99, 0x99, 0x99);
  qreal gap_above_week, gap_below_heading, gap_below_week_heading, gap_below_line, gap_below_note;
  qreal cell_padding_x, cell_padding_y, rule;
};

// A paragraph across the body, wrapped; on the next page when it does not fit.
void paragraph(Pages& pages, const QString& text, const QFont& font, const QColor& color, qreal below) {
  const Text laid = pages.lay_out(text, font, pages.body().width());
  if (!pages.fits(laid.height)) pages.new_page();
  pages.draw(laid, color);
  pages.move_down(below);
}

void draw_weeks(Pages& pages, const Look& look, const std::vector<Page::Week>& weeks) {
  const qreal width = pages.body().width();
  for (const Page::Week& week : weeks) {
    const QString heading = qt_text(week.heading);
    const Text laid_heading = pages.lay_out(heading, look.heading, width);
    std::vector<Text> lines;
    lines.reserve(week.matches.size() + 1);
    for (const std::string& match : week.matches)
      lines.push_back(pages.lay_out(qt_text(match), look.text, width));
    if (!week.bye.empty()) lines.push_back(pages.lay_out(qt_text(week.bye), look.bye, width));
    if (!week.section.empty()) {  // a division's section
      pages.space(look.gap_above_week);
      paragraph(pages, qt_text(week.section), look.team, look.ink, look.gap_below_heading);
    }
    // A week stays on one page when a page can hold it; one that no page
    // can hold starts where its heading and first line fit.
    qreal whole = laid_heading.height + look.gap_below_week_heading;
    for (const Text& line : lines) whole += line.height + look.gap_below_line;
    const qreal start =
        laid_heading.height + look.gap_below_week_heading + (lines.empty() ? 0 : lines[0].height);
    pages.space(look.gap_above_week);
    if (!pages.fits(whole <= pages.body().height() ? whole : start)) pages.new_page();
    pages.draw(laid_heading, look.ink);
    pages.move_down(look.gap_below_week_heading);
    for (const Text& line : lines) {
      if (!pages.fits(line.height)) {
        pages.new_page();
        paragraph(pages, heading + QStringLiteral(" (continued)"), look.heading, look.ink,
                  look.gap_below_week_heading);
      }
      pages.draw(line, look.ink);
      pages.move_down(look.gap_below_line);
    }
  }
}

// The venues under their heading, kept on one page when they fit on one.
void draw_venues(Pages& pages, const Look& look, const std::vector<std::string>& venues) {
  if (venues.empty()) return;
  const qreal width = pages.body().width();
  const Text heading = pages.lay_out(qt_text(detail::venues_heading), look.team, width);
  std::vector<Text> lines;
  qreal height = heading.height + look.gap_below_heading;
  for (const std::string& venue : venues) {
    lines.push_back(pages.lay_out(qt_text(venue), look.text, width));
    height += lines.back().height + look.gap_below_line;
  }
  pages.space(look.gap_above_week);
  if (!pages.fits(height)) pages.new_page();
  pages.draw(heading, look.ink);
  pages.move_down(look.gap_below_heading);
  for (const Text& line : lines) {
    if (!pages.fits(line.height)) pages.new_page();
    pages.draw(line, look.ink);
    pages.move_down(look.gap_below_line);
  }
}

// The table of a team's fixtures: columns as wide as their longest entry
// across the whole page, so they line up from team to team; what is left
// goes to the opponent and the venue, which wrap when the page is too narrow.
class FixtureTable {
 public:
  FixtureTable(Pages& pages, const Look& look, const std::vector<Page::Team>& teams);
  void draw(const Page::Team& team);

 private:
  void draw_columns();
  // A row of cells; `shade` fills it first. False, with nothing drawn, when
  // it would go below the page while rows of the team are above it there.
  bool draw_row(const std::array<QString, 5>& cells, const std::array<const QFont*, 5>& fonts, bool shade);
  void rule_off();

  Pages& pages_;
  const Look& look_;
  std::array<qreal, 6> x_{};  // the columns' edges, left to right
  std::array<QString, 5> columns_;
  qreal top_ = 0;              // where the table starts on this page
  int rows_ = 0;               // drawn below the column names on this page
  QList<QLineF> rules_;        // its lines on this page, drawn together
  std::array<Text, 5> cells_;  // the row being drawn
};

FixtureTable::FixtureTable(Pages& pages, const Look& look, const std::vector<Page::Team>& teams)
    : pages_(pages), look_(look) {
  std::array<std::set<std::string_view>, 5> entries;
  for (const Page::Team& team : teams)
    for (const Page::Fixture& fixture : team.fixtures)
      for (std::size_t c = 0; c < 5; ++c) entries[c].insert(fixture.cells[c]);
  std::array<qreal, 5> natural{};
  for (std::size_t c = 0; c < 5; ++c) {
    columns_[c] = qt_text(detail::fixture_columns[c]);
    natural[c] = pages.width_of(columns_[c], look.column);
    for (const std::string_view entry : entries[c])
      natural[c] = std::max(natural[c], pages.width_of(qt_text(entry), c == 3 ? look.bye : look.text));
    natural[c] += 2 * look.cell_padding_x + pages.points(0.5);
  }
  // Week, date and home or away keep their width (unless even they are too
  // wide). The opponent and the venue share the rest: as their widths stand
  // when both fit, else the narrower keeps its width and the other wraps.
  const qreal width = pages.body().width();
  const qreal fixed = natural[0] + natural[1] + natural[3];
  const qreal rest = width - fixed;
  std::array<qreal, 5> widths = natural;
  if (natural[2] + natural[4] <= rest) {
    widths[2] = rest * natural[2] / (natural[2] + natural[4]);
    widths[4] = rest - widths[2];
  } else if (fixed <= width / 2) {
    widths[2] = natural[2] <= rest / 2 ? natural[2] : std::max(rest / 2, rest - natural[4]);
    widths[4] = rest - widths[2];
  } else {
    for (qreal& w : widths) w *= width / (fixed + natural[2] + natural[4]);
  }
  x_[0] = pages.body().left();
  for (std::size_t c = 0; c < 5; ++c) x_[c + 1] = x_[c] + widths[c];
}

void FixtureTable::draw(const Page::Team& team) {
  paragraph(pages_, qt_text(team.name), look_.team, look_.ink, look_.gap_below_heading);
  if (!team.league.empty())
    paragraph(pages_, qt_text(team.league), look_.text, look_.grey_ink, look_.gap_below_line);
  paragraph(pages_, qt_text(team.home_bar), look_.text, look_.grey_ink, look_.gap_below_note);
  top_ = pages_.y();
  draw_columns();
  const std::array<const QFont*, 5> plain = {&look_.text, &look_.text, &look_.text, &look_.text, &look_.text};
  const std::array<const QFont*, 5> bye = {&look_.text, &look_.text, &look_.text, &look_.bye, &look_.text};
  for (const Page::Fixture& fixture : team.fixtures) {
    std::array<QString, 5> cells;
    for (std::size_t c = 0; c < 5; ++c) cells[c] = qt_text(fixture.cells[c]);
    if (draw_row(cells, fixture.bye ? bye : plain, false)) continue;
    // On the next page, under the team's name and the column names again.
    rule_off();
    pages_.new_page();
    paragraph(pages_, qt_text(team.name) + QStringLiteral(" (continued)"), look_.heading, look_.ink,
              look_.gap_below_heading);
    top_ = pages_.y();
    draw_columns();
    draw_row(cells, fixture.bye ? bye : plain, false);
  }
  rule_off();
}

void FixtureTable::draw_columns() {
  const std::array<const QFont*, 5> bold = {&look_.column, &look_.column, &look_.column, &look_.column,
                                            &look_.column};
  rules_.append(QLineF(x_[0], top_, x_[5], top_));
  rows_ = 0;
  draw_row(columns_, bold, true);
  rows_ = 0;
}

bool FixtureTable::draw_row(const std::array<QString, 5>& cells, const std::array<const QFont*, 5>& fonts,
                            bool shade) {
  qreal height = 0;
  for (std::size_t c = 0; c < 5; ++c) {
    cells_[c] = pages_.lay_out(cells[c], *fonts[c], x_[c + 1] - x_[c] - 2 * look_.cell_padding_x);
    height = std::max(height, cells_[c].height);
  }
  height += 2 * look_.cell_padding_y;
  if (rows_ > 0 && !pages_.fits(height)) return false;
  ++rows_;
  const qreal y = pages_.y();
  if (shade) pages_.fill(QRectF(x_[0], y, x_[5] - x_[0], height), look_.column_shade);
  for (std::size_t c = 0; c < 5; ++c)
    pages_.draw_at(cells_[c], look_.ink, x_[c] + look_.cell_padding_x, y + look_.cell_padding_y);
  pages_.move_down(height);
  rules_.append(QLineF(x_[0], pages_.y(), x_[5], pages_.y()));
  return true;
}

void FixtureTable::rule_off() {
  for (const qreal x : x_) rules_.append(QLineF(x, top_, x, pages_.y()));
  pages_.rule(rules_, look_.rule_colour, look_.rule);
  rules_.clear();
}

}  // namespace

Result paint_printable(const season::Season& season, const Options& options, QPagedPaintDevice& device) {
  // Without the application, Qt has no fonts to lay text out in.
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
    return Result::NoGuiApplication;
  if (const Result result = detail::check(season, options, false); result != Result::Ok) return result;
  const Page page = detail::printable_page(season, options);
  QPainter painter;
  if (!painter.begin(&device)) return Result::LibraryFailed;
  Pages pages(device, painter);
  const Look look(pages);
  paragraph(pages, qt_text(page.title), look.title, look.ink, look.gap_below_heading);
  if (!page.note.empty()) paragraph(pages, qt_text(page.note), look.text, look.grey_ink, look.gap_below_note);
  draw_weeks(pages, look, page.weeks);
  FixtureTable table(pages, look, page.teams);
  for (const Page::Team& team : page.teams) {
    if (!pages.fresh() && options.team == 0) pages.new_page();
    table.draw(team);
  }
  draw_venues(pages, look, page.venues);
  pages.finish();
  const bool ok = pages.ok();
  return painter.end() && ok ? Result::Ok : Result::LibraryFailed;
}

}  // namespace quintora::publish
