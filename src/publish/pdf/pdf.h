#pragma once
// The printable page as a PDF: Qt's text engine (QTextDocument) lays out the
// page that printable_html makes, and QPdfWriter writes it into memory, with
// the fonts embedded and the text kept extractable.
//
// Qt finds fonts only once a QGuiApplication exists. The desktop program has
// one; a program without a window keeps a PrintingApplication alive (created
// in main's thread) while it makes PDFs, which needs no display.

#include <memory>

#include "publish/publish.h"

class QGuiApplication;
class QTemporaryDir;

namespace quintora::publish {

enum class Paper { A4, Letter };

// Result::NoGuiApplication when the process has no QGuiApplication. Runs in
// the thread of the application object.
Output printable_pdf(const season::Season& season, const Options& options = {}, Paper paper = Paper::A4);

// Makes sure the process has a QGuiApplication: when it has none, creates one
// on Qt's "offscreen" platform (QT_QPA_PLATFORM, when set, still decides) and
// owns it until destroyed. A process that already has a QCoreApplication that
// is not a QGuiApplication cannot print: ok() is then false. On Linux and the
// BSDs, when XDG_RUNTIME_DIR is unset (root, cron, a container), it points
// that variable at a private folder of its own for as long as it lives, since
// Qt would otherwise warn about it on standard error.
class PrintingApplication {
 public:
  PrintingApplication();
  ~PrintingApplication();
  PrintingApplication(const PrintingApplication&) = delete;
  PrintingApplication& operator=(const PrintingApplication&) = delete;
  bool ok() const;

 private:
  std::unique_ptr<QTemporaryDir> runtime_;  // outlives own_
  std::unique_ptr<QGuiApplication> own_;
};

}  // namespace quintora::publish
