#include "help/HelpBlock.h"

namespace tempovia {

std::string PlainText(const RichText& text) {
  std::string out;
  for (const TextRun& run : text) out += run.text;
  return out;
}

}  // namespace tempovia
