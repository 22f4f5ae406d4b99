#include "ui/qt/qt_text.h"

#include <QByteArray>

#include "base/text.h"

namespace quintora::ui::qt {

std::string to_utf8(const QString& text, std::size_t max_bytes) {
  const QByteArray bytes = text.toUtf8();
  const std::string_view all(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  return std::string(all.substr(0, base::fitting_length(all, max_bytes)));
}

}  // namespace quintora::ui::qt
