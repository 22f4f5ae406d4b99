// quintora-view: shows one text file, read-only, in a monospaced font so
// that the columns of a schedule line up. Started by the desktop program
// without waiting, with the file as its only argument.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QString>

namespace {

// A schedule is a few hundred kilobytes at most; anything far larger is not
// a file this viewer was meant for.
constexpr qint64 largest_file = 64 * 1024 * 1024;

int refuse(const QString& text) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Quintora Viewer"), text, QMessageBox::Ok);
  box.setAccessibleDescription(text);
  box.exec();
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quintora-view"));
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() != 2)
    return refuse(QStringLiteral("Usage: quintora-view FILE\nShows one text file, read-only."));

  const QString path = arguments.at(1);
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
    return refuse(QStringLiteral("The file cannot be read:\n%1").arg(QDir::toNativeSeparators(path)));
  }
  if (file.size() > largest_file) {
    return refuse(QStringLiteral("The file is too large to show (more than 64 MB):\n%1")
                      .arg(QDir::toNativeSeparators(path)));
  }
  const QByteArray bytes = file.read(largest_file);
  if (file.error() != QFileDevice::NoError) {
    return refuse(QStringLiteral("The file cannot be read:\n%1").arg(QDir::toNativeSeparators(path)));
  }

  QPlainTextEdit view;
  view.setReadOnly(true);
  view.setLineWrapMode(QPlainTextEdit::NoWrap);
  view.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  view.setPlainText(QString::fromUtf8(bytes));
  view.setWindowTitle(QDir::toNativeSeparators(path));
  view.setAccessibleName(QStringLiteral("File contents"));
  view.setAttribute(Qt::WA_DeleteOnClose, false);
  // Wide enough for a schedule line of about a hundred columns.
  const QFontMetrics metrics(view.font());
  QSize size(metrics.horizontalAdvance(QLatin1Char('0')) * 104, metrics.height() * 40);
  if (const QScreen* screen = view.screen())
    size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
  view.resize(size);
  view.show();
  return QApplication::exec();
}
