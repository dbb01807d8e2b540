#pragma once
// What a run's settings ask of the site beside the page, and what the modern renderers
// read: the summary of the run, those options and the further columns.
#include <array>

#include "site/code_page.h"
#include "site/player_extras.h"
#include "site/site_summary.h"

namespace gravmark {

struct SiteOptions {
    bool playerPages = false;                   // players/, weapons.html, maps.html
    bool modern = false;                        // the modern page style instead of the classic one
    bool exportData = false;                    // stats.json and players.csv
    CodePage codePage = CodePage::Windows1252;  // of the names, for the modern pages and the export
    // The medal check boxes: Killer, Headshooter, Shot in the head, Target, TNT, Grenades, Suicide.
    std::array<bool, 7> medals{};

    // Whether the run needs the summary of the events at all.
    bool anything() const { return playerPages || modern || exportData; }
};

struct ModernSite {
    const SiteSummary& site;
    const SiteOptions& options;
    const PlayerExtras& extras;
};

}  // namespace gravmark
