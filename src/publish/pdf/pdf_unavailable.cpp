// The Windows cross build that runs in continuous integration has no Qt: its
// command line makes every format but the PDF, which reports that the
// library could not make it. Release builds always have Qt.

#include "publish/pdf/pdf.h"

// A complete type for the member's destructor; nothing else here names Qt.
class QGuiApplication {};

namespace quintora::publish {

Output printable_pdf(const season::Season&, const Options&, Paper) { return {Result::LibraryFailed, {}}; }

PrintingApplication::PrintingApplication(const std::filesystem::path&) {}
PrintingApplication::~PrintingApplication() = default;
bool PrintingApplication::ok() const { return false; }

}  // namespace quintora::publish
