#include "records/Units.h"

#include <cstdio>

#include "base/Printf.h"

namespace tempovia {
namespace {

std::string IntText(int value) {
  return std::to_string(value);
}

}  // namespace

double CmToInches(double cm) {
  return cm * 0.3937;
}
double CmToFeet(double cm) {
  return cm * 0.3937 / 12;
}
double FeetToCm(double feet) {
  return feet * 12 / 0.3937;
}
double InchesToCm(double inches) {
  return inches * 2.54;
}
double KmToMiles(double km) {
  return km * 0.6214;
}
double KgToPounds(double kg) {
  return kg * 2.205;
}
double PoundsToKg(double pounds) {
  return pounds / 2.205;
}

// The values shown come from user.dat, which may have been written elsewhere:
// a NaN shows as not set and no value is cast to int unchecked.
std::string HeightText(double cm, bool imperial) {
  if (!(cm > 0)) return {};
  if (!imperial) return IntText(TruncateToInt(cm + 0.5));
  const double inches = CmToInches(cm);
  int feet = TruncateToInt(inches / 12);
  int rest = TruncateToInt(inches - 12.0 * feet + 0.5);
  if (rest == 12) {
    ++feet;
    rest = 0;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%d'%d\"", feet, rest);
  return text;
}

std::string WeightText(double kg, bool imperial) {
  if (!(kg > 0)) return {};
  return IntText(TruncateToInt((imperial ? KgToPounds(kg) : kg) + 0.5));
}

std::string CountText(int value) {
  return value > 0 ? IntText(value) : std::string();
}

std::string LengthUnitLabel(bool imperial) {
  return imperial ? "" : "cm";
}

std::string WeightUnitLabel(bool imperial) {
  return imperial ? "Pound" : "kg";
}

}  // namespace tempovia
