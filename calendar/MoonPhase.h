// Position within a lunar cycle of fixed length and the picture that shows it.
#pragma once

#include <QString>

// Fraction x of the mean synodic month elapsed at a date-time value (days
// since 30 December 1899 00:00). 0 <= x < 1 for every finite value; a value
// that is not finite gives NaN.
double PhaseFraction(double oleDate);

// Number 1 ... 29 of the picture for x, by the fixed table of bounds; 0 for
// an x outside 0 ... 1 or NaN.
int MoonPictureNumber(double x);

// "grafika/NN.gif" for x, relative to the working folder; empty when
// MoonPictureNumber gives 0.
QString MoonPictureFile(double x);
