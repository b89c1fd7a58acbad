#pragma once

#include <string>

// A delay as the distance sound travels in that time (340 m/s: 1 ms is 34 cm), shown in the
// "Delay Equivalent Distance" box.
double DelayCentimetres(double delayMs);
double DelayInches(double delayMs);

// How the box shows a distance: one decimal below 100, none from 100 up ("98.6", "102"). The
// decimal point is a point whatever the desktop's language.
std::string DistanceText(double value);

// A number with a fixed count of decimals and a point for the decimal separator, as printf's
// "%.Nf" gives it in the C locale.
std::string FixedText(double value, int decimals);
