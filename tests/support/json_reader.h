#pragma once
// A strict JSON reader for the tests (RFC 8259): it refuses what a careful
// consumer would, such as a raw control character or invalid UTF-8 in a
// string, a lone surrogate escape, or anything after the value, so that a
// test which reads a document back also proves it valid.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quintora::test {

struct Json {
  enum class Kind { Null, Bool, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<Json> items;
  std::vector<std::pair<std::string, Json>> members;  // in document order

  // The member named `key`; a null value when there is none.
  const Json& operator[](std::string_view key) const {
    static const Json none;
    for (const auto& [name, value] : members)
      if (name == key) return value;
    return none;
  }
  // The number as an integer; -1 for anything else.
  long long integer() const {
    const auto value = static_cast<long long>(number);
    return kind == Kind::Number && static_cast<double>(value) == number ? value : -1;
  }
};

namespace json_detail {

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  std::optional<Json> document() {
    Json value;
    if (!read_value(value, 0)) return std::nullopt;
    skip_blanks();
    if (p_ != text_.size()) return std::nullopt;
    return value;
  }

 private:
  static constexpr int max_depth = 64;

  bool at_end() const { return p_ >= text_.size(); }
  char peek() const { return at_end() ? '\0' : text_[p_]; }
  void skip_blanks() {
    while (!at_end() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r')) ++p_;
  }
  bool take(char c) {
    skip_blanks();
    if (peek() != c) return false;
    ++p_;
    return true;
  }
  bool literal(std::string_view word) {
    if (text_.substr(p_, word.size()) != word) return false;
    p_ += word.size();
    return true;
  }

  bool read_value(Json& value, int depth) {
    if (depth > max_depth) return false;
    skip_blanks();
    const char c = peek();
    if (c == '{') return read_object(value, depth);
    if (c == '[') return read_array(value, depth);
    if (c == '"') {
      value.kind = Json::Kind::String;
      return read_string(value.text);
    }
    if (c == 't' || c == 'f') {
      value.kind = Json::Kind::Bool;
      value.boolean = c == 't';
      return literal(c == 't' ? "true" : "false");
    }
    if (c == 'n') return literal("null");
    return read_number(value);
  }

  bool read_object(Json& value, int depth) {
    value.kind = Json::Kind::Object;
    ++p_;
    if (take('}')) return true;
    do {
      std::string key;
      skip_blanks();
      if (peek() != '"' || !read_string(key) || !take(':')) return false;
      Json member;
      if (!read_value(member, depth + 1)) return false;
      value.members.emplace_back(std::move(key), std::move(member));
    } while (take(','));
    return take('}');
  }

  bool read_array(Json& value, int depth) {
    value.kind = Json::Kind::Array;
    ++p_;
    if (take(']')) return true;
    do {
      Json item;
      if (!read_value(item, depth + 1)) return false;
      value.items.push_back(std::move(item));
    } while (take(','));
    return take(']');
  }

  static bool is_digit(char c) { return c >= '0' && c <= '9'; }

  bool read_number(Json& value) {
    const std::size_t from = p_;
    if (peek() == '-') ++p_;
    if (peek() == '0') {
      ++p_;
    } else if (is_digit(peek())) {
      while (is_digit(peek())) ++p_;
    } else {
      return false;
    }
    if (peek() == '.') {
      ++p_;
      if (!is_digit(peek())) return false;
      while (is_digit(peek())) ++p_;
    }
    if (peek() == 'e' || peek() == 'E') {
      ++p_;
      if (peek() == '+' || peek() == '-') ++p_;
      if (!is_digit(peek())) return false;
      while (is_digit(peek())) ++p_;
    }
    value.kind = Json::Kind::Number;
    value.number = std::stod(std::string(text_.substr(from, p_ - from)));
    return true;
  }

  static void append_utf8(std::string& out, std::uint32_t c) {
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
  }

  bool hex4(std::uint32_t& value) {
    value = 0;
    for (int k = 0; k < 4; ++k, ++p_) {
      const char c = peek();
      const int digit = is_digit(c)              ? c - '0'
                        : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                        : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                 : -1;
      if (digit < 0) return false;
      value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
  }

  // One well-formed UTF-8 sequence copied from the text; false for anything else.
  bool copy_utf8(std::string& out) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text_[k]); };
    const unsigned char b0 = byte(p_);
    std::size_t length = b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC0 ? 2 : 0;
    if (b0 > 0xF4 || length == 0 || text_.size() - p_ < length) return false;
    std::uint32_t c = b0 & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
      if ((byte(p_ + k) & 0xC0) != 0x80) return false;
      c = (c << 6) | (byte(p_ + k) & 0x3Fu);
    }
    const std::uint32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    out.append(text_.substr(p_, length));
    p_ += length;
    return true;
  }

  bool read_string(std::string& out) {
    ++p_;  // the opening quote
    while (!at_end()) {
      const auto c = static_cast<unsigned char>(peek());
      if (c == '"') {
        ++p_;
        return true;
      }
      if (c < 0x20) return false;
      if (c >= 0x80) {
        if (!copy_utf8(out)) return false;
        continue;
      }
      ++p_;
      if (c != '\\') {
        out += static_cast<char>(c);
        continue;
      }
      const char e = peek();
      ++p_;
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          std::uint32_t unit = 0;
          if (!hex4(unit)) return false;
          if (unit >= 0xDC00 && unit <= 0xDFFF) return false;
          if (unit >= 0xD800 && unit <= 0xDBFF) {
            std::uint32_t low = 0;
            if (!literal("\\u") || !hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
          }
          append_utf8(out, unit);
          break;
        }
        default:
          return false;
      }
    }
    return false;
  }

  std::string_view text_;
  std::size_t p_ = 0;
};

}  // namespace json_detail

// The value the text holds; nothing when it is not exactly one JSON value.
inline std::optional<Json> parse_json(std::string_view text) { return json_detail::Reader(text).document(); }

}  // namespace quintora::test
