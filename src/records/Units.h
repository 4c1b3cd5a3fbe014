#pragma once
// Unit conversions and the unit texts shown beside body measures. Everything
// is stored metric; imperial values exist only for display and entry.

#include <string>

namespace tempovia {

double CmToInches(double cm);      // x 0.3937
double CmToFeet(double cm);        // x 0.3937 / 12
double FeetToCm(double feet);      // x 12 / 0.3937
double InchesToCm(double inches);  // x 2.54
double KmToMiles(double km);       // x 0.6214, also km/h to mile/h
double KgToPounds(double kg);      // x 2.205
double PoundsToKg(double pounds);  // / 2.205

// "5'11\"" (imperial) or "180" (metric); empty unless cm is above 0.
std::string HeightText(double cm, bool imperial);
// Whole pounds (imperial) or whole kilograms; empty unless kg is above 0.
std::string WeightText(double kg, bool imperial);
// "%d" when above 0, else empty.
std::string CountText(int value);
// "" when imperial, "cm" when metric.
std::string LengthUnitLabel(bool imperial);
// "Pound" when imperial, "kg" when metric.
std::string WeightUnitLabel(bool imperial);

}  // namespace tempovia
