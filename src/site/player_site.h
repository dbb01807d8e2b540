#pragma once
// What the "Player pages" setting adds to a run, as the window and the batch hook it into
// HTML and SAVE: HTML summarises the events and links the rows; SAVE writes players/,
// weapons.html and maps.html beside the page. With the setting off nothing changes.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "report/save_page.h"
#include "site/site_summary.h"

namespace gravmark {

class PlayerSite {
public:
    // At the end of the statistics: summarises when `on`, else forgets an earlier summary.
    // The pages show `ratings` when there are any.
    void prepare(bool on, RecordTable& db, const Statistics& stats, RecordTable& tempdb,
                 const MedalWinners& winners, std::shared_ptr<const RatingReport> ratings);
    // The addresses the rows' name cells link to; empty when off.
    std::vector<std::string> rowLinks() const;
    // For SAVE: stages the pages beside the saved page; unset when off.
    std::function<void(SiteChange&, const std::string&)> stager(const std::string& programFolder) const;

private:
    std::optional<SiteSummary> summary_;
};

}  // namespace gravmark
