#pragma once

// A value rounded to two decimals with halves away from zero; 0 stays 0. Values that are not
// finite pass unchanged.
double roundToHundredths(double value);

// What one axis of the exported chart is given. Limits and the major unit left out keep the
// spreadsheet's automatic choice.
struct ExportAxis {
    bool hasLimits = false;
    double minimum = 0;
    double maximum = 0;
    bool hasMajorUnit = false;
    double majorUnit = 0;
};

// The axis for the view's limits low..high and grid step, all in the axis' displayed unit:
// the limits rounded to two decimals, or as they are when rounding would leave no increasing
// range (a view narrower than a hundredth of a unit); limits that are not finite or not
// increasing are left out, and so is a step that is not a positive finite number.
ExportAxis exportAxis(double low, double high, double step);
