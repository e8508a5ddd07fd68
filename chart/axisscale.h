#pragma once

// The smallest span an axis is given when its range is empty or flat.
constexpr double minimumAxisSpan = 0.000001;

// Grid step for the range low..high: 0.5, 1, 2 or 5 times a power of ten, giving about 6 to
// 14 intervals. A span that is not positive and finite has no step: the result is 0.
double niceStep(double low, double high);

// Widens an automatic value range to whole steps with at least one step of margin on each
// side and at least four steps in all. Without a positive finite step, or when the widened
// ends would not be finite, the range stays as it is.
void expandRange(double& low, double& high, double step);

// Factor that keeps value labels below 1000 (0.000001, 0.001, 1, 1000000 or 1000000000),
// chosen from the largest of |low|, |high| and high - low. 1 when any of them is not finite.
double valueScaleFactor(double low, double high);
