#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/module.h"
#include "base/paths.h"
#include "base/private_folder.h"
#include "publish/pdf_module.h"
#include "publish/publish.h"

namespace quintora::publish {

namespace {

using Render = void (*)(const PdfRequest&);

// Beside the program (the build folder, Windows), else where the install
// puts it relative to the program (QUINTORA_PDF_MODULE_DIR, e.g.
// ../lib/x86_64-linux-gnu/quintora).
Render find_module() {
  static Render render = [] {
    const std::filesystem::path folder = base::program_folder();
    if (folder.empty()) return Render{nullptr};
    for (const std::filesystem::path& file :
         {folder / QUINTORA_PDF_MODULE_NAME, folder / QUINTORA_PDF_MODULE_DIR / QUINTORA_PDF_MODULE_NAME}) {
      std::error_code ec;
      if (!std::filesystem::is_regular_file(file, ec)) continue;
      void* module = base::load_module(file);
      if (void* function = base::module_symbol(module, pdf_module_function); function != nullptr)
        return reinterpret_cast<Render>(function);
    }
    return Render{nullptr};
  }();
  return render;
}

}  // namespace

Output printable_pdf_from_module(const season::Season& season, const Options& options, Paper paper) {
  const Render render = find_module();
  if (render == nullptr) return Output{Result::LibraryFailed, {}};
  // Qt wants a private runtime folder and complains without one. Made here,
  // in the program, so that an interrupt removes it.
  base::PrivateFolder runtime;
#if !defined(_WIN32) && !defined(__APPLE__)
  if (std::getenv("XDG_RUNTIME_DIR") == nullptr) runtime.create("quintora-runtime-", {});
#endif
  const std::string folder = runtime.exists() ? base::utf8_of(runtime.path()) : std::string();
  Output output{Result::LibraryFailed, {}};
  render(PdfRequest{&season, &options, paper, folder.c_str(), &output});
  return output;
}

}  // namespace quintora::publish
