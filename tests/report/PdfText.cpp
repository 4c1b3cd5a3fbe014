#include "PdfText.h"

#include <regex>
#include <sstream>

#include "Process.h"

namespace tempovia::test {

std::vector<std::string> PdfPages(const std::filesystem::path& pdf) {
  const ProcessResult text = RunProcess(PDFTOTEXT, {"-layout", pdf.string(), "-"});
  std::vector<std::string> pages;
  std::string page;
  for (char c : text.out) {
    if (c == '\f') {
      pages.push_back(page);
      page.clear();
    } else {
      page += c;
    }
  }
  return pages;
}

int PdfPageCount(const std::filesystem::path& pdf) {
  const ProcessResult info = RunProcess(PDFINFO, {pdf.string()});
  std::smatch match;
  static const std::regex pages(R"(Pages:\s+(\d+))");
  return std::regex_search(info.out, match, pages) ? std::stoi(match[1]) : -1;
}

std::vector<std::string> PdfImages(const std::filesystem::path& pdf) {
  const ProcessResult list = RunProcess(PDFIMAGES, {"-list", pdf.string()});
  std::vector<std::string> lines;
  std::istringstream in(list.out);
  std::string line;
  int n = 0;
  while (std::getline(in, line))
    if (n++ >= 2) lines.push_back(line);  // two header lines
  return lines;
}

std::vector<std::string> TableRows(const std::string& page) {
  static const std::regex row(R"(^\s*(\d\d-\d\d-\d\d|\d+\s+\d\d-\d\d-\d\d)\s)");
  static const std::regex blanks(R"(\s+)");
  std::vector<std::string> rows;
  std::istringstream in(page);
  std::string line;
  while (std::getline(in, line)) {
    if (!std::regex_search(line, row)) continue;
    std::string squeezed = std::regex_replace(line, blanks, " ");
    if (!squeezed.empty() && squeezed.front() == ' ') squeezed.erase(0, 1);
    if (!squeezed.empty() && squeezed.back() == ' ') squeezed.pop_back();
    rows.push_back(squeezed);
  }
  return rows;
}

}  // namespace tempovia::test
