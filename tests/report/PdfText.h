#pragma once
// Reads a PDF back with poppler's tools, as a reader would see it.

#include <filesystem>
#include <string>
#include <vector>

namespace tempovia::test {

// The text of every page, laid out as on paper.
std::vector<std::string> PdfPages(const std::filesystem::path& pdf);
int PdfPageCount(const std::filesystem::path& pdf);
// pdfimages -list: one line per image.
std::vector<std::string> PdfImages(const std::filesystem::path& pdf);
// The table rows of a page: lines whose first word looks like dd-mm-yy or a
// row number, with runs of blanks reduced to one.
std::vector<std::string> TableRows(const std::string& page);

}  // namespace tempovia::test
