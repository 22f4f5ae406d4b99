#pragma once
// Real readers for the exported files: an RFC 4180 parser, and tools (unzip,
// xmllint, pdftotext, pdffonts) run on a scratch copy of the bytes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/date.h"
#include "base/random_name.h"

namespace quintora::test {

using Rows = std::vector<std::vector<std::string>>;

// Records end in CR LF; a quoted field may hold commas, CR, LF and doubled
// quotes. Nothing when the text breaks a rule (a quote in an unquoted field,
// text after a closing quote, a bare CR or LF between records, no final CR LF).
inline std::optional<Rows> parse_csv(std::string_view text) {
  Rows rows(1);
  std::string field;
  for (std::size_t i = 0; i < text.size();) {
    const bool quoted = text[i] == '"';
    for (i += quoted ? 1 : 0; i < text.size(); ++i) {
      if (quoted && text[i] == '"' && text.substr(i, 2) != "\"\"") break;
      if (!quoted && std::string_view(",\r\n").find(text[i]) != std::string_view::npos) break;
      if (!quoted && text[i] == '"') return std::nullopt;
      if (quoted && text[i] == '"') ++i;  // the first of two
      field += text[i];
    }
    if (quoted && i++ == text.size()) return std::nullopt;  // no closing quote
    rows.back().push_back(std::exchange(field, {}));
    if (text.substr(i, 1) == ",") {
      ++i;
    } else if (text.substr(i, 2) == "\r\n") {
      i += 2;
      rows.emplace_back();
    } else {
      return std::nullopt;
    }
  }
  if (!rows.back().empty()) return std::nullopt;
  rows.pop_back();
  return rows;
}

// Standard output of `command 'FILE' rest`, FILE a scratch copy of `bytes`
// named after the running test, and randomly, so that two builds testing at
// once on one machine never share one.
inline std::string run(const std::string& command, const std::string& bytes, const std::string& rest = "") {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  // A parameterised test's name holds a slash: the file name must not.
  std::string name = std::string("quintora-publish-") + test->test_suite_name() + "-" + test->name() + "-" +
                     base::random_hex(16);
  std::replace(name.begin(), name.end(), '/', '-');
  const std::filesystem::path file = std::filesystem::temp_directory_path() / name;
  std::ofstream(file, std::ios::binary) << bytes;
  std::string out;
  if (FILE* pipe = popen((command + " '" + file.string() + "' " + rest + " 2>/dev/null").c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  std::filesystem::remove(file);
  return out;
}

// The groups of each match of `pattern` in `text` ("" for a group that took no part).
inline Rows matches(const std::string& text, const std::string& pattern) {
  Rows out;
  const std::regex re(pattern);
  for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it) {
    std::vector<std::string>& groups = out.emplace_back();
    for (std::size_t g = 1; g < it->size(); ++g) groups.push_back((*it)[g].str());
  }
  return out;
}

// Markup text as a reader sees it: the entities, and Office's _xHHHH_
// escapes (which the exporters use for ASCII only).
inline std::string xml_text(const std::string& raw) {
  static const std::map<std::string, char> entities = {{"amp", '&'},  {"lt", '<'},    {"gt", '>'},
                                                       {"quot", '"'}, {"apos", '\''}, {"#39", '\''}};
  static const std::regex escape("&([a-z]+|#39);|_x([0-9A-F]{4})_");
  std::string out;
  auto from = raw.begin();
  for (std::sregex_iterator it(raw.begin(), raw.end(), escape), end; it != end; ++it) {
    const std::smatch& m = *it;
    out.append(from, m[0].first);
    out += m[1].matched ? entities.at(m[1].str()) : static_cast<char>(std::stoi(m[2].str(), nullptr, 16));
    from = m[0].second;
  }
  return out.append(from, raw.end());
}

// A workbook as a spreadsheet shows it: each sheet's name, its XML, and its
// rows of cells (shared strings resolved, numbers in the yyyy-mm-dd and hh:mm
// formats as dates and times, rows as wide as the widest).
struct Workbook {
  std::string xml;  // xl/workbook.xml
  std::vector<std::string> names, sheet_xml;
  std::vector<Rows> sheets;
};

inline Workbook read_workbook(const std::string& bytes) {
  Workbook book{run("unzip -p", bytes, "xl/workbook.xml"), {}, {}, {}};
  std::vector<std::string> strings, formats;  // each cell style's number format
  for (const auto& m : matches(run("unzip -p", bytes, "xl/sharedStrings.xml"),
                               "<si><t(?: xml:space=\"preserve\")?>([^<]*)</t></si>"))
    strings.push_back(xml_text(m[0]));
  const std::string styles = run("unzip -p", bytes, "xl/styles.xml");
  for (const auto& xf :
       matches(styles.substr(std::min(styles.find("<cellXfs"), styles.size())), "<xf numFmtId=\"(\\d+)\"")) {
    const Rows code = matches(styles, "<numFmt numFmtId=\"" + xf[0] + "\" formatCode=\"([^\"]*)\"");
    formats.push_back(code.empty() ? "" : code[0][0]);
  }
  for (const auto& name : matches(book.xml, "<sheet name=\"([^\"]*)\"")) {
    book.names.push_back(xml_text(name[0]));
    const std::string& xml = book.sheet_xml.emplace_back(
        run("unzip -p", bytes, "xl/worksheets/sheet" + std::to_string(book.names.size()) + ".xml"));
    Rows& rows = book.sheets.emplace_back();
    for (const auto& c :
         matches(xml, "<c r=\"([A-Z])(\\d+)\"(?: s=\"(\\d+)\")?( t=\"s\")?><v>([^<]*)</v></c>")) {
      std::string text = c[3].empty() ? c[4] : strings.at(std::stoul(c[4]));
      const std::string format = c[2].empty() || !c[3].empty() ? "" : formats.at(std::stoul(c[2]));
      if (format == "yyyy-mm-dd")
        text = base::format_iso_date(base::civil_from_days(std::stoll(text) - 25569));
      if (format == "hh:mm") {
        const int minutes = static_cast<int>(std::lround(std::stod(text) * 1440));
        text = base::format_time({minutes / 60, minutes % 60});
      }
      const std::size_t row = std::stoul(c[1]) - 1, column = static_cast<std::size_t>(c[0][0] - 'A');
      if (rows.size() <= row) rows.resize(row + 1);
      if (rows[row].size() <= column) rows[row].resize(column + 1);
      rows[row][column] = text;
    }
    std::size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.size());
    for (auto& row : rows) row.resize(width);
  }
  return book;
}

}  // namespace quintora::test
