#include "ui/qt/text_room.h"

#include <QLineEdit>
#include <algorithm>

namespace quintora::ui::qt {

namespace {

// UTF-16 units of the character that ends at `end`, and its bytes in UTF-8.
// A lone surrogate is written as U+FFFD, three bytes.
struct Character {
  qsizetype units = 1;
  std::size_t bytes = 3;
};

Character character_before(const QString& text, qsizetype end) {
  const QChar last = text[end - 1];
  if (last.isLowSurrogate() && end >= 2 && text[end - 2].isHighSurrogate()) return {2, 4};
  const char16_t u = last.unicode();
  return {1, u < 0x80 ? 1u : u < 0x800 ? 2u : 3u};
}

// Removes whole characters before `end`, from the last one back, until the
// text is no longer than room; returns where the removal began.
qsizetype give_way(QString& text, qsizetype end, qsizetype floor, std::size_t& bytes, std::size_t room) {
  qsizetype start = end;
  while (bytes > room && start > floor) {
    const Character c = character_before(text, start);
    start -= c.units;
    bytes -= c.bytes;
  }
  text.remove(start, end - start);
  return start;
}

}  // namespace

QValidator::State Utf8RoomValidator::validate(QString& input, int& pos) const {
  std::size_t bytes = static_cast<std::size_t>(input.toUtf8().size());
  if (bytes <= room_) return Acceptable;
  const qsizetype cursor = std::clamp<qsizetype>(pos, 0, input.size());
  const qsizetype kept = give_way(input, cursor, 0, bytes, room_);
  pos = static_cast<int>(kept);
  give_way(input, input.size(), kept, bytes, room_);
  return Acceptable;
}

void limit_to_utf8_bytes(QLineEdit* edit, std::size_t room) {
  edit->setMaxLength(32767);  // Qt's default: no count of units
  edit->setValidator(new Utf8RoomValidator(room, edit));
}

}  // namespace quintora::ui::qt
