#include "site/modern_pages.h"

#include <algorithm>

#include "common/text_box_lines.h"
#include "report/html_escape.h"
#include "report/update_time.h"
#include "site/modern_html.h"
#include "site/modern_style.h"
#include "site/rating_section.h"
#include "site/rivals.h"
#include "site/site_export.h"
#include "site/site_html.h"
#include "site/site_medals.h"
#include "site/site_navigation.h"
#include "site/weapon_names.h"

namespace gravmark {

namespace {

// The log writes "none" where a kill had no weapon or no hit location (falls, suicides,
// explosions of the map): those are counted on a line of their own.
bool isNone(std::string_view value) { return value.empty() || value == "none"; }

double killsPerGame(const PlayerSummary& player) {
    return player.kills >= 1 ? static_cast<double>(player.kills) / player.played : 0.0;
}

std::string playerName(const ModernSite& modern, const PlayerSummary& player) {
    return modernName(player.name, modern.options.codePage);
}

std::string pageTitle(const ModernSite& modern, const PlayerSummary& player) {
    return htmlEscape(toUtf8(withoutColourCodes(player.name), modern.options.codePage));
}

std::string note(std::string_view text) { return "<p class=\"note\">" + std::string(text) + "</p>"; }

// The medals shown on the page, each as a picture with its caption and text below it;
// `up` addresses the pictures from the page's folder.
void addMedal(PageText& page, size_t medal, std::string_view up, std::string_view winner) {
    const SiteMedal& shown = kSiteMedals[medal];
    std::string item = "<li><img src=\"" + std::string(up) + shown.picture + "\" alt=\"" +
                       htmlEscape(shown.caption) + " medal\"><span class=\"medal\">" +
                       htmlEscape(shown.caption) + "</span>";
    if (!winner.empty()) item += "<span>" + std::string(winner) + "</span>";
    page.addLine(item + "</li>");
}

// The main page's medals, each with its winner: the player marked with it.
void addMedals(PageText& page, const ModernSite& modern) {
    page.addLine("<h2>Medals</h2>");
    page.addLine("<ul class=\"medals\">");
    for (size_t medal = 0; medal < kSiteMedals.size(); ++medal) {
        if (!modern.options.medals[medal]) continue;
        std::string winner;
        for (const PlayerSummary& player : modern.site.players) {
            if (std::find(player.medals.begin(), player.medals.end(), medal) == player.medals.end()) continue;
            winner = playerName(modern, player);
            break;
        }
        addMedal(page, medal, "", winner);
    }
    page.addLine("</ul>");
}

void addPlayerTable(PageText& page, const ModernSite& modern) {
    ModernTable table("Players, most kills first",
                      {{"Kills", true},
                       {"Name", false},
                       {"Times killed", true},
                       {"Games played", true},
                       {"Kills per game", true},
                       {"Ratio kills/killed", true}},
                      "No players yet.", modern.extras.columns);
    const std::vector<std::string> links = playerLinks(modern.site);
    for (size_t p = 0; p < modern.site.players.size(); ++p) {
        const PlayerSummary& player = modern.site.players[p];
        const std::string name = playerName(modern, player);
        table.addRow("<tr>" + numberCell(player.kills) +
                     rowHeader(modern.options.playerPages ? modernLink(links[p], name) : name) +
                     numberCell(player.killed) + numberCell(player.played) +
                     decimalCell(killsPerGame(player)) + decimalCell(player.ratio) +
                     extraCells(modern.extras.columns, p) + "</tr>");
    }
    table.writeTo(page);
}

std::string updatedLine(const PageInputs& inputs, CodePage codePage) {
    std::string line = "<p class=\"updated\">Updated @ " + updateTime(inputs.updated).toUtf8().toStdString() +
                       " · " + localeNumber(inputs.lineCount) + " lines parsed · " +
                       localeNumber(inputs.playedTotal) + " games actually played";
    // A page over several servers names them.
    if (!inputs.servers.empty()) line += " · Servers: " + modernText(inputs.servers, codePage);
    return line + "</p>";
}

// A player's page, section by section.
void addTotals(PageText& page, const ModernSite& modern, size_t p) {
    const PlayerSummary& player = modern.site.players[p];
    ModernTable table("Totals",
                      {{"Kills", true},
                       {"Times killed", true},
                       {"Games played", true},
                       {"Kills per game", true},
                       {"Ratio kills/killed", true},
                       {"Headshots", true},
                       {"Shot in the head", true},
                       {"Suicides", true}},
                      "", modern.extras.columns);
    table.addRow("<tr>" + numberCell(player.kills) + numberCell(player.killed) + numberCell(player.played) +
                 decimalCell(killsPerGame(player)) + decimalCell(player.ratio) +
                 numberCell(player.headshots) + numberCell(player.headshotsTaken) +
                 numberCell(player.suicides) + extraCells(modern.extras.columns, p) + "</tr>");
    table.writeTo(page);
}

void addPlayerMedals(PageText& page, const ModernSite& modern, const PlayerSummary& player) {
    std::vector<size_t> shown;
    for (const size_t medal : player.medals)
        if (modern.options.medals[medal]) shown.push_back(medal);
    if (shown.empty()) return;
    page.addLine("<ul class=\"medals\">");
    for (const size_t medal : shown) addMedal(page, medal, "../", "");
    page.addLine("</ul>");
}

void addWeapons(PageText& page, const ModernSite& modern, const PlayerSummary& player) {
    int32_t withoutWeapon = 0;
    ModernTable table("Kills by weapon",
                      {{"Weapon", false}, {"Kills", true}, {"Share", true}, {"Headshots", true}},
                      "No kills.");
    for (const WeaponKills& line : player.weapons) {
        if (isNone(line.weapon)) {
            withoutWeapon += line.kills;
            continue;
        }
        table.addRow("<tr>" + rowHeader(modernText(weaponName(line.weapon), modern.options.codePage)) +
                     numberCell(line.kills) + shareCell(line.kills, player.kills) +
                     numberCell(line.headshots) + "</tr>");
    }
    table.writeTo(page);
    if (withoutWeapon > 0)
        page.addLine(
            note("Kills without a weapon (suicides, falls, explosions): " + localeNumber(withoutWeapon)));
}

void addLocations(PageText& page, const ModernSite& modern, const PlayerSummary& player) {
    int32_t nowhere = 0;
    ModernTable table("Kills by hit location", {{"Hit location", false}, {"Kills", true}, {"Share", true}},
                      "No kills.");
    for (const LocationKills& line : player.locations) {
        if (isNone(line.location)) {
            nowhere += line.kills;
            continue;
        }
        table.addRow("<tr>" + rowHeader(modernText(hitLocationName(line.location), modern.options.codePage)) +
                     numberCell(line.kills) + shareCell(line.kills, player.kills) + "</tr>");
    }
    table.writeTo(page);
    if (nowhere > 0) page.addLine(note("Kills without a hit location: " + localeNumber(nowhere)));
}

void addMaps(PageText& page, const ModernSite& modern, const PlayerSummary& player) {
    ModernTable table("Kills and deaths by map",
                      {{"Map", false}, {"Kills", true}, {"Deaths", true}, {"Games played", true}},
                      "No games.");
    for (const MapTally& line : player.maps) {
        table.addRow("<tr>" + rowHeader(modernText(line.map, modern.options.codePage)) +
                     numberCell(line.kills) + numberCell(line.deaths) + numberCell(line.games) + "</tr>");
    }
    table.writeTo(page);
}

// With ratings each line also counts the other way (see rivals.h).
void addOpponents(PageText& page, const ModernSite& modern, const PlayerSummary& player, OpponentSide side) {
    const bool victims = side == OpponentSide::Victims;
    const char* caption = victims ? "Favourite victims" : "Nemeses";
    const char* count = victims ? "Kills" : "Killed by";
    const bool bothWays = modern.site.ratings != nullptr;
    ModernTable table =
        bothWays ? ModernTable(caption,
                               {{"Player", false}, {count, true}, {victims ? "Killed by" : "Kills", true}},
                               "Nobody.")
                 : ModernTable(caption, {{"Player", false}, {count, true}}, "Nobody.");
    for (const Opponent& opponent : victims ? player.victims : player.nemeses) {
        std::string name = modernName(opponent.name, modern.options.codePage);
        if (opponent.player != kNoPlayer)
            name = modernLink(addressOf(modern.site.players[size_t(opponent.player)].fileName), name);
        const std::string other =
            bothWays ? numberCell(killsTheOtherWay(modern.site, player, opponent, side)) : "";
        table.addRow("<tr>" + rowHeader(name) + numberCell(opponent.count) + other + "</tr>");
    }
    table.writeTo(page);
}

}  // namespace

void buildModernPage(const PageInputs& inputs, const ModernSite& modern, TextBoxLines& page,
                     TextBoxLines& foot) {
    const PageFrame frame = modernFrame(readPageFrame(inputs.programFolder), "Statistics", "");
    PageText document(frame);
    document.addLine("<main>");
    document.addLine("<h1>Statistics</h1>");
    document.addLine(updatedLine(inputs, modern.options.codePage));
    document.addLine(modernNavigation("", "", modern));
    addMedals(document, modern);
    addPlayerTable(document, modern);
    document.addLine("</main>");
    page.setText(document.text());
    foot.setText(frame.foot);
}

std::string modernCreditLine(const std::string& productVersion) {
    return "<footer><p class=\"note\">Statistics by Gravmark Parser v." + htmlEscape(productVersion) +
           "</p></footer>";
}

std::string modernPlayerPage(const ModernSite& modern, size_t p, const PageFrame& templates,
                             std::string_view mainPage) {
    const PlayerSummary& player = modern.site.players[p];
    const PageFrame frame = modernFrame(templates, pageTitle(modern, player), "../");
    PageText page(frame);
    openModernMain(page, playerName(modern, player), mainPage, "../", modern);
    addTotals(page, modern, p);
    addPlayerMedals(page, modern, player);
    if (modern.site.ratings) addRatingSection(page, *modern.site.ratings, player, PageStyle::Modern);
    addWeapons(page, modern, player);
    addLocations(page, modern, player);
    addMaps(page, modern, player);
    addOpponents(page, modern, player, OpponentSide::Victims);
    addOpponents(page, modern, player, OpponentSide::Nemeses);
    if (player.worldDeaths > 0)
        page.addLine(note("Deaths by the world (falls and the like): " + localeNumber(player.worldDeaths)));
    page.addLine("</main>");
    return page.finish();
}

std::string modernWeaponsPage(const ModernSite& modern, const PageFrame& templates,
                              std::string_view mainPage) {
    const PageFrame frame = modernFrame(templates, "Kills by weapon", "");
    PageText page(frame);
    openModernMain(page, "Kills by weapon", mainPage, "", modern);
    ModernTable table("Kills by weapon, most first",
                      {{"Weapon", false}, {"Kills", true}, {"Most kills by", false}}, "No kills.");
    const std::vector<std::string> links = playerLinks(modern.site);
    int32_t withoutWeapon = 0;
    for (const ServerWeapon& weapon : modern.site.weapons) {
        if (isNone(weapon.weapon)) {
            withoutWeapon += weapon.kills;
            continue;
        }
        std::string top = "-";
        if (weapon.topPlayer != kNoPlayer) {
            const size_t best = size_t(weapon.topPlayer);
            top = modernLink(links[best], playerName(modern, modern.site.players[best])) + " (" +
                  localeNumber(weapon.topKills) + ")";
        }
        table.addRow("<tr>" + rowHeader(modernText(weaponName(weapon.weapon), modern.options.codePage)) +
                     numberCell(weapon.kills) + textCell(top) + "</tr>");
    }
    table.writeTo(page);
    if (withoutWeapon > 0)
        page.addLine(
            note("Deaths without a weapon (the world, falls, suicides): " + localeNumber(withoutWeapon)));
    page.addLine("</main>");
    return page.finish();
}

std::string modernMapsPage(const ModernSite& modern, const PageFrame& templates, std::string_view mainPage) {
    const PageFrame frame = modernFrame(templates, "Kills by map", "");
    PageText page(frame);
    openModernMain(page, "Kills by map", mainPage, "", modern);
    ModernTable table("Kills by map, most first", {{"Map", false}, {"Kills", true}, {"Games played", true}},
                      "No kills.");
    for (const MapTally& map : modern.site.maps)
        table.addRow("<tr>" + rowHeader(modernText(map.map, modern.options.codePage)) +
                     numberCell(map.kills) + numberCell(map.games) + "</tr>");
    table.writeTo(page);
    page.addLine("</main>");
    return page.finish();
}

}  // namespace gravmark
