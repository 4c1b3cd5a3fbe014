#pragma once
// Conversions between the skins' colours and Qt's.

#include <QColor>

#include "skin/Rgb.h"

namespace tempovia {

inline QColor ToQColor(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

inline Rgb ToRgb(const QColor& c) {
  return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
          static_cast<std::uint8_t>(c.blue())};
}

inline Rgb ToRgb(QRgb c) {
  return {static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
          static_cast<std::uint8_t>(qBlue(c))};
}

}  // namespace tempovia
