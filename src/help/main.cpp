// tempovia-helpdocs: turns help texts into their PDF documents at build time.
//   tempovia-helpdocs SOURCE.txt OUTPUT.pdf [SOURCE.txt OUTPUT.pdf ...]

#include <cstdio>
#include <filesystem>

#include "help/HelpDocument.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc % 2 == 0) {
    std::fprintf(stderr, "usage: tempovia-helpdocs SOURCE.txt OUTPUT.pdf [SOURCE.txt OUTPUT.pdf ...]\n");
    return 2;
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    tempovia::HelpDocument document;
    tempovia::Status status = document.Load(argv[i]);
    if (status) status = document.Save(argv[i + 1]);
    if (!status) {
      std::fprintf(stderr, "tempovia-helpdocs: %s\n", status.message().c_str());
      return 1;
    }
  }
  return 0;
}
