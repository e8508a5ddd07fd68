#pragma once

#include <cstddef>
#include <string>

// The width of a worksheet column fitted to its contents, in the spreadsheet's unit of
// column width (the width of one digit of the default font): the widest text or number
// shown in it and a little room on both sides.
class ColumnWidth {
public:
    // A text cell, in UTF-8.
    void addText(const std::string& text);
    // A number shown with three decimals ("0.000").
    void addNumber(double value);
    // The fitted width; at least the default width of an empty column, at most the largest
    // width a column may have.
    double width() const;

private:
    double widest = 0;
};
