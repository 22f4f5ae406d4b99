#pragma once
// The main window: the bars-and-teams form with the title and file-name
// lines and the "Schedule" button, the menu with its mnemonics and the
// toolbar. It registers every control with the window system and turns the
// close box and the Enter key into commands; the rules live elsewhere.

#include <QMainWindow>

#include "ui/display_size.h"

class QCloseEvent;
class QKeyEvent;

namespace quintora::ui::qt {

class QtWindowSystem;

class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(QtWindowSystem& ws, DisplaySize size, QWidget* parent = nullptr);

  // Places the window at the top-left corner of its screen.
  void place_top_left();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void build_menu();
  void build_toolbar();
  void build_form(DisplaySize size);

  QtWindowSystem& ws_;
};

// The application icon at every size it is drawn in.
QIcon application_icon();

}  // namespace quintora::ui::qt
