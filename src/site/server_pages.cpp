#include "site/server_pages.h"

#include "site/site_html.h"
#include "site/site_navigation.h"

namespace gravmark {

namespace {

std::string topPlayerCell(const SiteSummary& site, const std::vector<std::string>& links,
                          const ServerWeapon& weapon) {
    if (weapon.topPlayer == kNoPlayer) return cell("-");
    const size_t player = size_t(weapon.topPlayer);
    return cell(link(links[player], shownName(site.players[player].name)) + " (" +
                std::to_string(weapon.topKills) + ")");
}

}  // namespace

std::string weaponsPage(const SiteSummary& site, const PageFrame& frame, std::string_view mainPage) {
    PageText page(frame);
    page.addLine(heading("Kills by weapon"));
    page.addLine(navigationLine(mainPage, "", site.ratings != nullptr));
    page.addLine(headerRow({"WEAPON", "KILLS", "MOST KILLS BY"}));
    const std::vector<std::string> links = playerLinks(site);
    for (const ServerWeapon& weapon : site.weapons)
        page.addLine("<tr>" + cell(shownValue(weapon.weapon)) + cell(weapon.kills) +
                     topPlayerCell(site, links, weapon) + "</tr>");
    page.addLine("</table>");
    return page.finish();
}

std::string mapsPage(const SiteSummary& site, const PageFrame& frame, std::string_view mainPage) {
    PageText page(frame);
    page.addLine(heading("Kills by map"));
    page.addLine(navigationLine(mainPage, "", site.ratings != nullptr));
    page.addLine(headerRow({"MAP", "KILLS", "GAMES PLAYED"}));
    for (const MapTally& map : site.maps)
        page.addLine("<tr>" + cell(shownValue(map.map)) + cell(map.kills) + cell(map.games) + "</tr>");
    page.addLine("</table>");
    return page.finish();
}

}  // namespace gravmark
