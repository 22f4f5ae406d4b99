#pragma once
// What the program and the PDF module (quintora-pdf) agree on: one request,
// handed to the one function the module exports. Both are built from the
// same sources by the same compiler, so the season crosses as it is.

#include "publish/publish.h"

namespace quintora::publish {

struct PdfRequest {
  const season::Season* season = nullptr;
  const Options* options = nullptr;
  Paper paper = Paper::A4;
  const char* runtime_folder = "";  // UTF-8; empty: Qt's own choice
  Output* output = nullptr;         // filled by the module
};

// The name of the module's function, a void(const PdfRequest&) with C
// linkage; a new layout of the request gets a new name.
inline constexpr const char* pdf_module_function = "quintora_pdf_render_1";

}  // namespace quintora::publish
