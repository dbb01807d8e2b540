#pragma once
// What the site settings add to a run, as the window and the batch hook it into HTML and
// SAVE: "Player pages" (players/, weapons.html, maps.html), the modern page style and the
// export (stats.json, players.csv). HTML summarises the events once for all of them; SAVE
// stages the files with the page. With every setting off nothing changes.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "report/page_inputs.h"
#include "report/save_page.h"
#include "site/site_export.h"
#include "site/site_options.h"
#include "site/site_summary.h"

namespace gravmark {

class TextBoxLines;

class PlayerSite {
public:
    // At the end of the statistics: summarises when any option is on, else forgets an
    // earlier summary. The further columns are emptied.
    void prepare(const SiteOptions& options, const GameEvents& events, const std::vector<PlayerRow>& rows,
                 const RecordTable& playerTable, const MedalWinners& winners);
    // Columns and fields further counts add per player, after prepare().
    PlayerExtras& extras() { return extras_; }
    // After prepare(), when makesSite(): the pages and the export show the ratings (of the
    // roster's named players, in roster order).
    void addRatings(std::shared_ptr<const RatingReport> ratings);
    // The addresses the classic rows' name cells link to; empty without player pages.
    std::vector<std::string> rowLinks() const;
    bool modern() const { return summary_ && options_.modern; }
    // Whether the run makes more than the classic page (a modern one, pages or files beside it).
    bool makesSite() const { return summary_.has_value(); }
    // The modern main page (see buildModernPage).
    void buildModernPage(const PageInputs& inputs, TextBoxLines& page, TextBoxLines& foot) const;
    // For SAVE: the modern credit line and the files beside the page; empty when all is off.
    // `header` goes into stats.json.
    PageExtras pageExtras(const std::string& programFolder, const ExportHeader& header) const;

private:
    ModernSite modernSite() const { return {*summary_, options_, extras_}; }

    SiteOptions options_;
    std::optional<SiteSummary> summary_;
    PlayerExtras extras_;
};

}  // namespace gravmark
