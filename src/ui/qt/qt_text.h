#pragma once
// Text between the program, which holds UTF-8 everywhere, and Qt's QString.

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

namespace quintora::ui::qt {

inline QString from_utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The text as UTF-8, at most max_bytes bytes, never cut inside a character.
std::string to_utf8(const QString& text, std::size_t max_bytes = static_cast<std::size_t>(-1));

}  // namespace quintora::ui::qt
