#include <cstdio>

int main() {
  std::fputs("usage: vft dump|convert|check ...\n", stderr);
  return 2;
}
