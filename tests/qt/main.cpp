// The Qt Test cases of every window, one after the other, in one program.

#include <QApplication>

int run_main_window_tests(int argc, char** argv);
int run_season_window_tests(int argc, char** argv);

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int failed = 0;
  failed += run_main_window_tests(argc, argv);
  failed += run_season_window_tests(argc, argv);
  return failed == 0 ? 0 : 1;
}
