#pragma once
// The markup of the help texts (resources/help), line by line:
//
//   # Title            the document's title: the first block, exactly once
//   ## Heading         a section
//   ### Subheading     a part of a section, or one question
//   - item             a bullet item
//   12. item           a numbered item, with the number as written
//   | left | right |   a row of a two-column table; a row of dashes
//                      (|---|---|) right after the first row makes it a header
//   ```                a code block: the lines up to the next ``` as written
//   anything else      paragraph text
//
// A plain line right after a paragraph or an item continues it; a blank line
// ends it. Inside text, **bold** and `code` change the style, and a backslash
// keeps the next *, `, | or \ literal. Texts are UTF-8 and must fit in
// Windows-1252; a fault is reported with its line so the build names it.

#include <string_view>
#include <vector>

#include "base/Status.h"
#include "help/HelpBlock.h"

namespace tempovia {

Status ParseHelpMarkup(std::string_view utf8, std::vector<HelpBlock>& blocks);

// The styled runs of one text (already Windows-1252); fails on an unclosed
// ** or `. Adjacent runs of one style are joined and empty ones dropped.
Status ParseInline(std::string_view text, RichText& runs);

}  // namespace tempovia
