#include <cstdio>

int main() {
  std::puts("The viewer is not built yet.");
  return 0;
}
