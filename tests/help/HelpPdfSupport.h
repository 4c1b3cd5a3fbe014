#pragma once
// Reading help PDFs back as a reader would: the text with every run of
// blanks and line ends made one blank, so wrapped lines compare as prose.

#include <filesystem>
#include <string>
#include <vector>

namespace tempovia::test {

std::string Squeezed(const std::string& text);
// The squeezed text of each page.
std::vector<std::string> SqueezedPages(const std::filesystem::path& pdf);
std::string WithoutBlanks(const std::string& text);

}  // namespace tempovia::test
