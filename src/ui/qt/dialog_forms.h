#pragma once
// The forms of the two modal dialogs. Each builder lays out its dialog,
// registers the controls that the dialog's logic reads or writes, and names
// the buttons that hand a command to that logic.

#include <QAbstractButton>
#include <QDialog>
#include <utility>
#include <vector>

namespace quintora::ui::qt {

class QtWindowSystem;

struct DialogButtons {
  std::vector<std::pair<int, QAbstractButton*>> commands;  // passed to the dialog's logic
  QAbstractButton* cancel = nullptr;                       // closes without asking it
  std::vector<int> registered;                             // control ids to remove afterwards
};

// "Length of season", result file, effort, viewer, comma-delimited, status
// line, "&Cancel" and the default button "&Do it".
DialogButtons build_schedule_dialog(QDialog& dialog, QtWindowSystem& ws);

// Program name, version and the "OK" button.
DialogButtons build_about_dialog(QDialog& dialog);

inline constexpr int about_ok = 1;

}  // namespace quintora::ui::qt
