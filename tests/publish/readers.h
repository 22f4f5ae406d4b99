#pragma once
// Real readers for the exported files: an RFC 4180 parser, and tools (unzip,
// pdftotext, pdffonts) run on a scratch copy of the bytes.

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
#include <vector>

#include "base/date.h"

namespace quintora::test {

using Table = std::vector<std::vector<std::string>>;

// Records end in CR LF; a quoted field may hold commas, CR, LF and doubled
// quotes. Nothing when the text breaks a rule (a quote in an unquoted field,
// text after a closing quote, a bare CR or LF between records, no final CR LF).
inline std::optional<Table> parse_csv(const std::string& text) {
  Table table(1);
  std::string field;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '"') {
      for (++i;; ++i) {
        if (i >= text.size()) return std::nullopt;
        if (text[i] == '"' && (i + 1 == text.size() || text[i + 1] != '"')) break;
        if (text[i] == '"') ++i;
        field += text[i];
      }
      ++i;
    } else {
      for (; i < text.size() && std::string(",\r\n").find(text[i]) == std::string::npos; ++i) {
        if (text[i] == '"') return std::nullopt;
        field += text[i];
      }
    }
    table.back().push_back(std::move(field));
    field.clear();
    if (i < text.size() && text[i] == ',') {
      ++i;
    } else if (text.compare(i, 2, "\r\n") == 0) {
      i += 2;
      table.emplace_back();
    } else {
      return std::nullopt;
    }
  }
  if (!table.back().empty()) return std::nullopt;
  table.pop_back();
  return table;
}

// A scratch folder named after the running test, removed afterwards.
struct Scratch {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      (std::string("quintora-publish-") + test->test_suite_name() + "-" + test->name());
  Scratch() { std::filesystem::create_directories(path); }
  Scratch(const Scratch&) = delete;
  ~Scratch() { std::filesystem::remove_all(path); }
  std::filesystem::path write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path / name, std::ios::binary) << bytes;
    return path / name;
  }
};

// Standard output of `tool 'file' rest`.
inline std::string run(const std::string& tool, const std::filesystem::path& file,
                       const std::string& rest = "") {
  std::string out;
  FILE* pipe = popen((tool + " '" + file.string() + "' " + rest + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  pclose(pipe);
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

// A workbook's sheets as a spreadsheet shows them: each sheet's rows of
// cells (shared strings resolved, numbers in the yyyy-mm-dd and hh:mm formats
// as dates and times, rows as wide as the first), and the format of each
// number cell ("B3" to its format code).
struct Sheet {
  std::vector<std::vector<std::string>> rows;
  std::map<std::string, std::string> format;
  std::string xml;
};

class Workbook {
 public:
  explicit Workbook(std::filesystem::path file) : file_(std::move(file)) {
    const std::string book = part("xl/workbook.xml"), table = part("xl/sharedStrings.xml");
    const std::string styles = part("xl/styles.xml"),
                      xfs = styles.substr(std::min(styles.find("<cellXfs"), styles.size()));
    const std::regex sheet("<sheet name=\"([^\"]*)\""),
        item("<si><t(?: xml:space=\"preserve\")?>([^<]*)</t></si>"), xf("<xf numFmtId=\"(\\d+)\"");
    for (std::sregex_iterator it(book.begin(), book.end(), sheet), end; it != end; ++it)
      sheet_names.push_back(xml_text((*it)[1].str()));
    for (std::sregex_iterator it(table.begin(), table.end(), item), end; it != end; ++it)
      strings_.push_back(xml_text((*it)[1].str()));
    for (std::sregex_iterator it(xfs.begin(), xfs.end(), xf), end; it != end; ++it) {  // each cell style's
      std::smatch code;
      const std::regex format("<numFmt numFmtId=\"" + (*it)[1].str() + "\" formatCode=\"([^\"]*)\"");
      formats_.push_back(std::regex_search(styles, code, format) ? code[1].str() : "");
    }
  }
  std::string part(const std::string& name) const { return run("unzip -p", file_, name); }
  Sheet sheet(int n) const {  // counted from 1
    Sheet cells;
    cells.xml = part("xl/worksheets/sheet" + std::to_string(n) + ".xml");
    const std::regex cell("<c r=\"([A-Z])(\\d+)\"(?: s=\"(\\d+)\")?( t=\"s\")?><v>([^<]*)</v></c>");
    for (std::sregex_iterator it(cells.xml.begin(), cells.xml.end(), cell), end; it != end; ++it) {
      const std::smatch& m = *it;
      std::string text = m[4].matched ? strings_.at(std::stoul(m[5].str())) : m[5].str();
      if (m[3].matched && !m[4].matched) {
        const std::string& format = cells.format[m[1].str() + m[2].str()] =
            formats_.at(std::stoul(m[3].str()));
        if (format == "yyyy-mm-dd")
          text = base::format_iso_date(base::civil_from_days(std::stoll(text) - 25569));
        if (format == "hh:mm") {
          const int minutes = static_cast<int>(std::lround(std::stod(text) * 1440));
          text = base::format_time({minutes / 60, minutes % 60});
        }
      }
      const std::size_t row = std::stoul(m[2].str()) - 1,
                        column = static_cast<std::size_t>(m[1].str()[0] - 'A');
      if (cells.rows.size() <= row) cells.rows.resize(row + 1);
      if (cells.rows[row].size() <= column) cells.rows[row].resize(column + 1);
      cells.rows[row][column] = text;
    }
    for (auto& row : cells.rows) row.resize(cells.rows[0].size());
    return cells;
  }
  std::vector<std::string> sheet_names;

 private:
  std::filesystem::path file_;
  std::vector<std::string> strings_, formats_;
};

}  // namespace quintora::test
