#include "site/svg_chart.h"

#include <cmath>
#include <cstdio>

namespace gravmark {

std::string coordinate(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", std::round(value * 10) / 10);
    std::string shown(text);
    if (shown.size() > 2 && shown.compare(shown.size() - 2, 2, ".0") == 0) shown.resize(shown.size() - 2);
    return shown == "-0" ? "0" : shown;
}

std::string chartStart(std::string_view label) {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + coordinate(kChartWidth) + " " +
           coordinate(kChartHeight) + "\" width=\"100%\" style=\"max-width:" + coordinate(kChartWidth) +
           "px;display:block;margin:auto\" role=\"img\"><title>" + std::string(label) + "</title>";
}

std::string chartText(double x, double y, std::string_view text, std::string_view anchor,
                      std::string_view colour) {
    return "<text x=\"" + coordinate(x) + "\" y=\"" + coordinate(y) + "\" font-size=\"15\" fill=\"" +
           std::string(colour) + "\" text-anchor=\"" + std::string(anchor) + "\">" + std::string(text) +
           "</text>";
}

}  // namespace gravmark
