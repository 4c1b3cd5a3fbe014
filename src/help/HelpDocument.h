#pragma once
// A help document: its markup text (see HelpMarkup.h) read into blocks, laid
// out on A4 pages and written as a PDF with the standard Helvetica and
// Courier fonts, with a bookmark for every heading.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/Status.h"
#include "help/HelpBlock.h"
#include "help/HelpLayout.h"

namespace tempovia {

class HelpDocument {
 public:
  // Reads the markup; on a fault the document holds no blocks and the
  // message names the line.
  Status Parse(std::string_view utf8);
  // Parse of a file's content; the message then starts with the file's name.
  Status Load(const std::filesystem::path& source);

  const std::vector<HelpBlock>& Blocks() const { return m_blocks; }
  // The title block's text, Windows-1252; empty before a successful Parse.
  std::string Title() const;

  // The pages as they will be written, measured with the PDF's own fonts.
  Status LayOut(std::vector<HelpPage>& pages) const;

  // Writes the PDF to a temporary file beside path and renames it over path
  // only once every byte is on the disk: a failure says why and leaves
  // whatever was at path before untouched.
  Status Save(const std::filesystem::path& path);
  // Pages written by the last successful Save.
  int PageCount() const { return m_pageCount; }

 private:
  std::vector<HelpBlock> m_blocks;
  int m_pageCount = 0;
};

}  // namespace tempovia
