#pragma once
// The core's texts are UTF-8 in std::string (stored Windows-1252 bytes are
// converted below the windows); Qt's are QString. Every window crosses here.

#include <QString>
#include <string>
#include <string_view>

namespace tempovia {

inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) {
  return text.toStdString();
}

}  // namespace tempovia
