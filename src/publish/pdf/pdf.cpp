#include "publish/pdf/pdf.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>
#include <QtGlobal>

#include "base/paths.h"
#include "publish/common.h"

namespace quintora::publish {

namespace {

bool has_gui_application() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

// QGuiApplication keeps argc by reference and argv for its whole life.
int application_argc = 1;
char application_name[] = "quintora";
char* application_argv[] = {application_name, nullptr};

}  // namespace

PrintingApplication::PrintingApplication([[maybe_unused]] const std::filesystem::path& runtime_folder) {
  if (QCoreApplication::instance() != nullptr) return;
#ifndef _WIN32
  // No display is needed to paint a file. Windows always has one, and there
  // only the system's platform knows the installed fonts: offscreen has none.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
  // Qt looks up the per-user runtime folder while it starts and says on
  // standard error when XDG_RUNTIME_DIR is unset. A folder made for this
  // process (mode 0700, as Qt requires) keeps a command-line run quiet.
  if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR") &&
      (!runtime_folder.empty() || runtime_.create("quintora-runtime-", {}))) {
    runtime_set_ = true;
    const std::string path = base::utf8_of(runtime_folder.empty() ? runtime_.path() : runtime_folder);
    qputenv("XDG_RUNTIME_DIR",
            QFile::encodeName(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()))));
  }
#endif
  own_ = std::make_unique<QGuiApplication>(application_argc, application_argv);
}

PrintingApplication::~PrintingApplication() {
  own_.reset();
  // The folder goes with this object; nothing later may be sent there.
  if (runtime_set_) qunsetenv("XDG_RUNTIME_DIR");
}

bool PrintingApplication::ok() const { return has_gui_application(); }

Output printable_pdf(const season::Season& season, const Options& options, Paper paper) {
  if (!has_gui_application()) return Output{Result::NoGuiApplication, {}};
  if (const Result result = detail::check(season, options, false); result != Result::Ok)
    return detail::failed(result);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly)) return Output{Result::LibraryFailed, {}};
  {
    QPdfWriter writer(&buffer);
    // No margin of the writer's own: paint_printable keeps its own from the
    // paper's edges, with the page number in the lower one.
    const QPageSize size(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
    if (!writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0))))
      return Output{Result::LibraryFailed, {}};
    writer.setTitle(QString::fromUtf8(season.title.data(), static_cast<qsizetype>(season.title.size())));
    writer.setCreator(QStringLiteral("Quintora"));
    if (const Result result = paint_printable(season, options, writer); result != Result::Ok)
      return Output{result, {}};
  }  // the writer completes the file when it goes
  buffer.close();
  if (bytes.isEmpty()) return Output{Result::LibraryFailed, {}};
  return Output{Result::Ok, std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))};
}

}  // namespace quintora::publish
