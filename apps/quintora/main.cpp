#include <cstdio>

int main() {
  std::puts("The desktop program is not built yet.");
  return 0;
}
