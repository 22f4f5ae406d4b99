// The PDF module: the only part of the command line that needs Qt, loaded
// by publish::printable_pdf_from_module when a PDF is made.

#include "publish/pdf_module.h"

#include <string_view>

#include "base/paths.h"
#include "publish/pdf/pdf.h"

#if defined(_WIN32)
#define QUINTORA_MODULE_EXPORT __declspec(dllexport)
#else
#define QUINTORA_MODULE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" QUINTORA_MODULE_EXPORT void quintora_pdf_render_1(const quintora::publish::PdfRequest& request) {
  using namespace quintora::publish;
  const std::string_view folder = request.runtime_folder;
  const PrintingApplication application(folder.empty() ? std::filesystem::path()
                                                       : quintora::base::path_from_utf8(folder));
  *request.output = application.ok() ? printable_pdf(*request.season, *request.options, request.paper)
                                     : Output{Result::NoGuiApplication, {}};
}
