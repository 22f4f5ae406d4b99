#include "ui/about.h"

namespace quintora::ui {
namespace {

// All its texts are fixed in the form; it only has to close.
class AboutBox final : public DialogHandler {
 public:
  void on_open(WindowSystem&) override {}
  bool on_command(WindowSystem&, int) override { return true; }
};

}  // namespace

void show_about_box(WindowSystem& ws) {
  AboutBox box;
  ws.run_dialog(DialogId::About, box);
}

}  // namespace quintora::ui
