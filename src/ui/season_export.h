#pragma once
// The Season window's Export and Print: the season in a chosen format,
// written under a name the user picks (offered beside the league file), and
// what a print is made of. Print takes the same paper as the PDF export.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/window_system.h"
#include "league/league.h"
#include "publish/pdf/pdf.h"  // for Paper only: the toolkit's window makes the PDF
#include "publish/publish.h"
#include "season/season.h"

namespace quintora::ui {

// Makes the PDF of the printable page. The PDF needs the toolkit, so the
// window that has one supplies it.
using PdfRenderer =
    std::function<publish::Output(const season::Season&, const publish::Options&, publish::Paper)>;

// The paper of a country (ISO 3166 code, e.g. "US"): Letter where Letter is
// the paper in the shops, A4 everywhere else.
publish::Paper paper_for_country(std::string_view country_code);

// What to print: the whole league (team 0) or one team, on which paper.
struct PrintJob {
  publish::Options options;
  publish::Paper paper;
};

class SeasonExport {
 public:
  SeasonExport(const league::League& league, base::WindowSystem& ws);

  void set_pdf_renderer(PdfRenderer renderer) { pdf_renderer_ = std::move(renderer); }
  void set_paper(publish::Paper paper) { paper_ = paper; }
  publish::Paper paper() const { return paper_; }

  // The season in `format`, for the whole league (team 0) or one team where
  // the format has per-team files; not written anywhere.
  publish::Output render(const season::Season& season, publish::Format format, int team) const;
  // Asks for a file name and writes the file; `season` is null when it could
  // not be built. A format that cannot be made (a calendar missing) or a file
  // that cannot be written is said in a message box naming it; an earlier
  // file of that name is then kept. True when the file was written.
  bool export_season(const season::Season* season, publish::Format format, int team);
  // What to print for the whole league or one team; nothing, after a
  // message box saying why, when the page cannot be made.
  std::optional<PrintJob> print_job(const season::Season& season, int team);
  // What the last export did, for the window's status line.
  const std::string& status() const { return status_; }

 private:
  // The name offered in the export file dialog: beside the league file.
  std::string suggested_path(const season::Season& season, const publish::FormatInfo& info, int team) const;
  bool refuse(const std::string& text);
  bool write(const std::filesystem::path& target, std::string_view bytes);
  bool export_calendar(const season::Season& season, int team, const std::filesystem::path& target);

  const league::League& league_;
  base::WindowSystem& ws_;
  PdfRenderer pdf_renderer_;
  publish::Paper paper_ = publish::Paper::A4;
  std::string status_;
};

}  // namespace quintora::ui
