#include "HelpPdfSupport.h"

#include "PdfText.h"

namespace tempovia::test {

std::string Squeezed(const std::string& text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

std::vector<std::string> SqueezedPages(const std::filesystem::path& pdf) {
  std::vector<std::string> pages = PdfPages(pdf);
  for (std::string& page : pages) page = Squeezed(page);
  return pages;
}

std::string WithoutBlanks(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ' ' && c != '\n' && c != '\r' && c != '\t' && c != '\f') out += c;
  return out;
}

}  // namespace tempovia::test
