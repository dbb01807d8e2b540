#include "site/site_navigation.h"

#include "site/site_html.h"

namespace gravmark {

std::string navigationLine(std::string_view mainPage, std::string_view up, bool versus) {
    const std::string base(up);
    return "<center>" + link(base + addressOf(mainPage), "Statistics") + " | " +
           link(base + std::string(kWeaponsPage), "Weapons") + " | " +
           link(base + std::string(kMapsPage), "Maps") +
           (versus ? " | " + link(base + std::string(kVersusPage), "Head to head") : std::string()) +
           "</center><BR>";
}

std::vector<std::string> playerLinks(const SiteSummary& site) {
    std::vector<std::string> links;
    links.reserve(site.players.size());
    for (const PlayerSummary& player : site.players)
        links.push_back(std::string(kPlayersFolder) + "/" + addressOf(player.fileName));
    return links;
}

}  // namespace gravmark
