// The Windows cross build that runs in continuous integration has no Qt: its
// command line makes every format but the PDF, which reports that the
// library could not make it. Release builds always have Qt.

#include "publish/pdf/pdf.h"

// Complete types for the members' destructors; nothing else here names Qt.
class QGuiApplication {};
class QTemporaryDir {};

namespace quintora::publish {

Output printable_pdf(const season::Season&, const Options&, Paper) { return {Result::LibraryFailed, {}}; }

PrintingApplication::PrintingApplication() = default;
PrintingApplication::~PrintingApplication() = default;
bool PrintingApplication::ok() const { return false; }

}  // namespace quintora::publish
