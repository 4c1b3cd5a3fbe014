#pragma once
// How wide a text is set in one of the help documents' four faces. The PDF
// writer measures with the fonts it embeds the names of; tests may measure
// with simpler rules to check the layout alone.

#include <string_view>

namespace tempovia {

enum class HelpFace { Regular, Bold, Mono, MonoBold };

class HelpTextMeasure {
 public:
  virtual ~HelpTextMeasure() = default;
  // Width in points of Windows-1252 text at size points.
  virtual double Width(std::string_view text, HelpFace face, double size) const = 0;
};

}  // namespace tempovia
