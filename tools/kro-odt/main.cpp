// kro-odt: command-line access to the library's text conversions.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--help") == 0) {
    std::printf("usage: kro-odt <verb> ...\n");
    return 0;
  }
  std::printf("kro-odt\n");
  return 0;
}
