#pragma once
// The colour arithmetic of the shaded bars.

#include "skin/Rgb.h"

namespace tempovia {

// Each channel becomes |channel - n|: a channel below n is reflected, not
// clamped, which gives dark colours their slightly lifted shade.
Rgb Darken(Rgb colour, int n);

// Each channel p percent of the way from b to a.
Rgb Blend(Rgb a, Rgb b, int percent);

// The colour of column k (from 1) of a bar of the given width and colour:
// from Darken(colour, 86) at the left to the colour itself at the right, the
// left half lightened towards white when shaded.
Rgb ColumnColour(Rgb colour, int k, int barWidth, bool shaded);

}  // namespace tempovia
