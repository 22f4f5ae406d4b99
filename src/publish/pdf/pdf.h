#pragma once
// The printable page as a PDF, or on a printer: the words of the HTML page
// (detail::printable_page), each line laid out by Qt's text layout and drawn
// page by page with QPainter. QPdfWriter writes the PDF into memory, with the
// fonts embedded and the text kept extractable.
//
// Qt finds fonts only once a QGuiApplication exists. The desktop program has
// one; a program without a window keeps a PrintingApplication alive (created
// in main's thread) while it makes PDFs, which needs no display.

#include <filesystem>
#include <memory>

#include "base/private_folder.h"
#include "publish/publish.h"

class QGuiApplication;
class QPagedPaintDevice;

namespace quintora::publish {

// Result::NoGuiApplication when the process has no QGuiApplication. Runs in
// the thread of the application object.
Output printable_pdf(const season::Season& season, const Options& options = {}, Paper paper = Paper::A4);

// Paints the printable page on `device`, a QPdfWriter or a QPrinter (the
// print preview's), in the paper size and orientation it has: the title and
// the weeks, then each team from a new page (for the whole league), its
// fixtures in a table whose column names come again on each page it runs
// on. The text keeps 15 mm from the paper's edges (more where the device's
// printable area is smaller), with the page number below it. Result::Ok, or
// why nothing was painted; LibraryFailed when the device cannot be painted on.
// Runs in the thread of the QGuiApplication.
Result paint_printable(const season::Season& season, const Options& options, QPagedPaintDevice& device);

// Makes sure the process has a QGuiApplication: when it has none, creates one
// on Qt's "offscreen" platform (QT_QPA_PLATFORM, when set, still decides) and
// owns it until destroyed. A process that already has a QCoreApplication that
// is not a QGuiApplication cannot print: ok() is then false. On Linux and the
// BSDs, when XDG_RUNTIME_DIR is unset (root, cron, a container), it points
// that variable at a private folder of its own for as long as it lives, since
// Qt would otherwise warn about it on standard error.
class PrintingApplication {
 public:
  // `runtime_folder`, when given, is the private folder for XDG_RUNTIME_DIR
  // (the caller made it and removes it); otherwise one is made here.
  explicit PrintingApplication(const std::filesystem::path& runtime_folder = {});
  ~PrintingApplication();
  PrintingApplication(const PrintingApplication&) = delete;
  PrintingApplication& operator=(const PrintingApplication&) = delete;
  bool ok() const;

 private:
  base::PrivateFolder runtime_;  // outlives own_
  bool runtime_set_ = false;
  std::unique_ptr<QGuiApplication> own_;
};

}  // namespace quintora::publish
