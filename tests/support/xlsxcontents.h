#pragma once

#include <map>
#include <string>
#include <vector>

// One cell of the first worksheet as the file stores it.
struct XlsxCell {
    bool isText = false;
    std::string value; // the text, or the number as written
    int style = 0; // index of the cell's format, 0 for the default
};

// The parts of a written workbook that the export tests look at, read with unzip.
struct XlsxContents {
    // Reads the workbook; false when it is not a readable zip with a first worksheet.
    bool read(const std::string& path);

    // A part of the package by its name ("xl/charts/chart1.xml"); empty when it is missing.
    std::string part(const std::string& name) const;

    std::vector<std::string> partNames;
    std::map<std::string, XlsxCell> cells; // by A1 name
    std::string sheet; // xl/worksheets/sheet1.xml
    std::string styles; // xl/styles.xml
    std::string chart; // xl/charts/chart1.xml, empty without a chart
    std::string drawing; // xl/drawings/drawing1.xml, empty without a chart

private:
    std::string path;
};

// Every text between open and close in xml, in order.
std::vector<std::string> between(const std::string& xml, const std::string& open, const std::string& close);

// Number of times needle occurs in text.
size_t occurrences(const std::string& text, const std::string& needle);

// The value of attribute name in the first element that starts with elementStart
// ("<c:min"), or an empty text.
std::string attributeOf(const std::string& xml, const std::string& elementStart, const std::string& name);
