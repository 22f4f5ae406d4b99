#pragma once
// Real readers for the exported files: an RFC 4180 parser, and tools (unzip,
// pdftotext, pdffonts) run on a scratch copy of the bytes.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <vector>

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

// The workbook's sheet names, shared strings resolved into each sheet's cells
// ("B3" to its value), and the style index of each number cell.
struct Sheet {
  std::map<std::string, std::string> value;
  std::map<std::string, int> style;
  std::string xml;
};

class Workbook {
 public:
  explicit Workbook(std::filesystem::path file) : file_(std::move(file)) {
    const std::string book = part("xl/workbook.xml"), table = part("xl/sharedStrings.xml");
    const std::regex sheet("<sheet name=\"([^\"]*)\""),
        item("<si><t(?: xml:space=\"preserve\")?>([^<]*)</t></si>");
    for (std::sregex_iterator it(book.begin(), book.end(), sheet), end; it != end; ++it)
      sheet_names.push_back(xml_text((*it)[1].str()));
    for (std::sregex_iterator it(table.begin(), table.end(), item), end; it != end; ++it)
      strings_.push_back(xml_text((*it)[1].str()));
    styles = part("xl/styles.xml");
  }
  std::string part(const std::string& name) const { return run("unzip -p", file_, name); }
  Sheet sheet(int n) const {  // counted from 1
    Sheet cells;
    cells.xml = part("xl/worksheets/sheet" + std::to_string(n) + ".xml");
    const std::regex cell("<c r=\"([A-Z]+\\d+)\"(?: s=\"(\\d+)\")?( t=\"s\")?><v>([^<]*)</v></c>");
    for (std::sregex_iterator it(cells.xml.begin(), cells.xml.end(), cell), end; it != end; ++it) {
      const auto& m = *it;
      cells.value[m[1].str()] = m[3].matched ? strings_.at(std::stoul(m[4].str())) : m[4].str();
      if (m[2].matched && !m[3].matched) cells.style[m[1].str()] = std::stoi(m[2].str());
    }
    return cells;
  }
  std::vector<std::string> sheet_names;
  std::string styles;

 private:
  std::filesystem::path file_;
  std::vector<std::string> strings_;
};

}  // namespace quintora::test
