#pragma once
// Real readers for the exported files: an RFC 4180 parser, and the command-line
// tools unzip (the workbook's XML) and pdftotext (the PDF's text), run on a
// scratch copy of the bytes.

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

// RFC 4180: records end in CR LF; a quoted field may hold commas, CR, LF and
// doubled quotes. Nothing when the text breaks the rules (a quote inside an
// unquoted field, text after a closing quote, a bare LF or CR between records,
// an unclosed quote, a last record without its CR LF).
inline std::optional<Table> parse_csv(const std::string& text) {
  Table table;
  std::vector<std::string> record;
  std::string field;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '"') {
      ++i;
      for (;; ++i) {
        if (i >= text.size()) return std::nullopt;
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            field += '"';
            ++i;
          } else {
            ++i;
            break;
          }
        } else {
          field += text[i];
        }
      }
    } else {
      while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
        if (text[i] == '"') return std::nullopt;
        field += text[i++];
      }
    }
    record.push_back(std::move(field));
    field.clear();
    if (i < text.size() && text[i] == ',') {
      ++i;
      continue;
    }
    if (text.compare(i, 2, "\r\n") != 0) return std::nullopt;
    i += 2;
    table.push_back(std::move(record));
    record.clear();
  }
  return table;
}

// A scratch folder for one test, removed afterwards.
class Scratch {
 public:
  Scratch() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            (std::string("quintora-publish-") + info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~Scratch() { std::filesystem::remove_all(path_); }
  std::filesystem::path write(const std::string& name, const std::string& bytes) const {
    const auto file = path_ / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }

 private:
  std::filesystem::path path_;
};

// Standard output of a command (its standard error discarded).
inline std::string run(const std::string& command) {
  std::string out;
#if defined(_WIN32)
  FILE* pipe = _popen((command + " 2>NUL").c_str(), "rb");
#else
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
#endif
  if (pipe == nullptr) return out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
#if defined(_WIN32)
  _pclose(pipe);
#else
  pclose(pipe);
#endif
  return out;
}

inline std::string quoted(const std::filesystem::path& path) {
  std::string text = "'";
  text += path.string();
  text += '\'';
  return text;
}

// XML text as a spreadsheet reads it: the five entities, numeric character
// references, and Office's _xHHHH_ escapes.
inline std::string xml_text(const std::string& raw) {
  const auto append_utf8 = [](std::string& out, unsigned long c) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  };
  static const std::map<std::string, char> entities = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  static const std::regex office_escape("^_x([0-9A-Fa-f]{4})_");
  std::string out;
  for (std::size_t i = 0; i < raw.size();) {
    std::smatch match;
    const std::string rest = raw.substr(i, 7);
    if (raw[i] == '&') {
      const std::size_t end = raw.find(';', i);
      const std::string name = raw.substr(i + 1, end - i - 1);
      if (name[0] == '#')
        append_utf8(out, std::stoul(name.substr(name[1] == 'x' ? 2 : 1), nullptr, name[1] == 'x' ? 16 : 10));
      else
        out += entities.at(name);
      i = end + 1;
    } else if (std::regex_search(rest, match, office_escape)) {
      append_utf8(out, std::stoul(match[1].str(), nullptr, 16));
      i += 7;
    } else {
      out += raw[i++];
    }
  }
  return out;
}

// One worksheet as text: cell reference ("B3") to its value, shared strings
// resolved; with the style index of each numeric cell.
struct SheetCells {
  std::map<std::string, std::string> value;
  std::map<std::string, int> style;
  std::string xml;
};

class Workbook {
 public:
  explicit Workbook(const std::filesystem::path& file) : file_(file) {
    const std::string book = part("xl/workbook.xml");
    static const std::regex sheet("<sheet name=\"([^\"]*)\" sheetId=\"(\\d+)\"");
    for (std::sregex_iterator it(book.begin(), book.end(), sheet), end; it != end; ++it)
      sheet_names.push_back(xml_text((*it)[1].str()));
    const std::string table = part("xl/sharedStrings.xml");
    static const std::regex item("<si><t(?: xml:space=\"preserve\")?>([^<]*)</t></si>");
    for (std::sregex_iterator it(table.begin(), table.end(), item), end; it != end; ++it)
      strings_.push_back(xml_text((*it)[1].str()));
    styles = part("xl/styles.xml");
  }

  std::string part(const std::string& name) const { return run("unzip -p " + quoted(file_) + " " + name); }

  // Sheet n counted from 1, in the workbook's order.
  SheetCells sheet(int n) const {
    SheetCells cells;
    cells.xml = part("xl/worksheets/sheet" + std::to_string(n) + ".xml");
    static const std::regex cell(
        "<c r=\"([A-Z]+\\d+)\"(?: s=\"(\\d+)\")?(?: t=\"(\\w+)\")?><v>([^<]*)</v></c>");
    for (std::sregex_iterator it(cells.xml.begin(), cells.xml.end(), cell), end; it != end; ++it) {
      const std::string ref = (*it)[1].str();
      const std::string v = (*it)[4].str();
      if ((*it)[3].str() == "s") {
        cells.value[ref] = strings_.at(std::stoul(v));
      } else {
        cells.value[ref] = v;
        if ((*it)[2].matched) cells.style[ref] = std::stoi((*it)[2].str());
      }
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
