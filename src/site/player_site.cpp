#include "site/player_site.h"

#include <filesystem>

#include "report/missing_file.h"
#include "report/site_change.h"
#include "site/modern_pages.h"
#include "site/modern_style.h"
#include "site/rating_extras.h"
#include "site/site_navigation.h"
#include "site/site_writer.h"

namespace gravmark {

void PlayerSite::prepare(const SiteOptions& options, const GameEvents& events,
                         const std::vector<PlayerRow>& rows, const RecordTable& playerTable,
                         const MedalWinners& winners) {
    options_ = options;
    summary_.reset();
    extras_ = {};
    // The modern main page alone needs the rows only, not the lists read from the events.
    if (options.anything())
        summary_ =
            summarizeSite(events, rows, playerTable, winners, options.playerPages || options.exportData);
}

void PlayerSite::addRatings(std::shared_ptr<const RatingReport> ratings) {
    addRatingExtras(extras_, *summary_, *ratings);
    summary_->ratings = std::move(ratings);
}

std::vector<std::string> PlayerSite::rowLinks() const {
    return summary_ && options_.playerPages ? playerLinks(*summary_) : std::vector<std::string>{};
}

void PlayerSite::buildModernPage(const PageInputs& inputs, TextBoxLines& page, TextBoxLines& foot) const {
    gravmark::buildModernPage(inputs, modernSite(), page, foot);
}

PageExtras PlayerSite::pageExtras(const std::string& programFolder, const ExportHeader& header) const {
    PageExtras extras;
    if (!summary_) return extras;
    if (options_.modern) extras.creditLine = modernCreditLine;
    extras.stageBesidePage = [this, programFolder, header](SiteChange& change,
                                                           const std::string& pageTarget) {
        const ModernSite modern = modernSite();
        const std::filesystem::path folder = std::filesystem::path(pageTarget).parent_path();
        // The style sheet is the clan's to change: only a missing one is written.
        if (options_.modern) addMissingFile(folder.string(), std::string(kStyleSheet), styleSheetText());
        if (options_.playerPages)
            stageSite(change, *summary_, programFolder, pageTarget, options_.modern ? &modern : nullptr);
        if (options_.exportData) {
            change.addFile(std::string(kStatsJson), statsJson(modern, header));
            change.addFile(std::string(kPlayersCsv), playersCsv(modern));
        }
    };
    return extras;
}

}  // namespace gravmark
