#include "ui/about.h"

#include "ui/controls.h"

namespace quintora::ui {
namespace {

// All its texts are fixed in the form; it only has to close.
class AboutBox final : public base::DialogHandler {
 public:
  void on_open(base::WindowSystem&) override {}
  bool on_command(base::WindowSystem&, int) override { return true; }
};

}  // namespace

void show_about_box(base::WindowSystem& ws) {
  AboutBox box;
  ws.run_dialog(dialog::about, box);
}

}  // namespace quintora::ui
