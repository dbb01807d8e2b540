#include "report/name_links.h"

namespace gravmark {

std::string linkNameCell(std::string_view row, std::string_view address) {
    // The kills cell holds a number and the escaped name no "<", so the first cell break
    // opens the name cell and the next "</td>" closes it.
    constexpr std::string_view kCellBreak = "</td><td>";
    const size_t opened = row.find(kCellBreak);
    if (opened == std::string_view::npos) return std::string(row);
    const size_t start = opened + kCellBreak.size();
    const size_t end = std::min(row.find("</td>", start), row.size());
    std::string linked(row.substr(0, start));
    linked.append("<a href=\"").append(address).append("\">");
    linked.append(row.substr(start, end - start)).append("</a>");
    return linked.append(row.substr(end));
}

}  // namespace gravmark
