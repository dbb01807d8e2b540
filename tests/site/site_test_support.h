#pragma once
// Reading the written pages back: the addresses they link to.
#include <regex>
#include <string>
#include <vector>

namespace gravmark::test {

inline std::vector<std::string> linksIn(const std::string& html) {
    static const std::regex href("href=\"([^\"]*)\"");
    std::vector<std::string> links;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), href); it != std::sregex_iterator(); ++it)
        links.push_back((*it)[1]);
    return links;
}

}  // namespace gravmark::test
