#include "site/player_site.h"

#include "site/site_navigation.h"
#include "site/site_writer.h"

namespace gravmark {

void PlayerSite::prepare(bool on, RecordTable& db, const Statistics& stats, RecordTable& tempdb,
                         const MedalWinners& winners, std::shared_ptr<const RatingReport> ratings) {
    summary_.reset();
    if (!on) return;
    summary_ = summarizeSite(db, stats, tempdb, winners);
    summary_->ratings = std::move(ratings);
}

std::vector<std::string> PlayerSite::rowLinks() const {
    return summary_ ? playerLinks(*summary_) : std::vector<std::string>{};
}

std::function<void(SiteChange&, const std::string&)> PlayerSite::stager(
    const std::string& programFolder) const {
    if (!summary_) return {};
    return [this, programFolder](SiteChange& change, const std::string& pageTarget) {
        stageSite(change, *summary_, programFolder, pageTarget);
    };
}

}  // namespace gravmark
