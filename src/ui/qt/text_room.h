#pragma once
// The league keeps names and the title in fields of so many bytes of UTF-8,
// while Qt counts a line edit's length in UTF-16 units: an accented letter
// is one unit and two bytes, an emoji two units and four bytes. A field
// limited here takes no more than its room in bytes, so what the user sees
// is exactly what is stored.

#include <QValidator>
#include <cstddef>

class QLineEdit;

namespace quintora::ui::qt {

// Keeps a line edit's text within room bytes of UTF-8. Typing, pasting,
// dropping, an input method's commit and text set through the accessibility
// interface alike: what was just put in (it ends at the cursor) is taken as
// far as it fits, character by character, and the text that was there stays.
// A text set whole that is still too long is cut at its end.
class Utf8RoomValidator final : public QValidator {
 public:
  Utf8RoomValidator(std::size_t room, QObject* parent) : QValidator(parent), room_(room) {}
  State validate(QString& input, int& pos) const override;

 private:
  std::size_t room_;
};

// Puts the limit on `edit` in place of Qt's count of UTF-16 units.
void limit_to_utf8_bytes(QLineEdit* edit, std::size_t room);

}  // namespace quintora::ui::qt
