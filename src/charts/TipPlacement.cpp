#include "charts/TipPlacement.h"

namespace tempovia {

Box PlaceTip(int cursorX, int cursorY, int width, int height, const Box& screen) {
  Box tip{cursorX + 10, cursorY + 20, width, height};
  if (tip.Right() > screen.Right()) tip.x = screen.Right() - width - 4;
  if (tip.Bottom() > screen.Bottom()) tip.y = screen.Bottom() - height;
  return tip;
}

std::vector<std::string> TipLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (!lines.empty() && start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace tempovia
