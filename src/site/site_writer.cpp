#include "site/site_writer.h"

#include <filesystem>

#include "common/error.h"
#include "platform/native_path.h"
#include "site/modern_pages.h"
#include "site/page_text.h"
#include "site/player_page.h"
#include "site/server_pages.h"
#include "site/site_navigation.h"
#include "site/versus_page.h"

namespace gravmark {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMarkerText =
    "Written by Gravmark Parser: this folder is replaced at every save.\n";
constexpr std::string_view kOldTemporaryPrefix = ".players.";

bool ourPlayersFolder(const fs::path& folder) {
    std::error_code ignored;
    return fs::is_regular_file(folder / kPlayersMarker, ignored);
}

// A players/ that exists and is not ours stops the save before anything is written.
void requireReplaceable(const fs::path& players) {
    std::error_code ignored;
    if (!fs::exists(fs::symlink_status(players, ignored)) || ourPlayersFolder(players)) return;
    throw Error("The folder \"" + platform::pathBytes(fs::absolute(players, ignored).lexically_normal()) +
                "\" was not written by Gravmark Parser. It is left as it is; rename or remove it to save "
                "player pages there.");
}

// What a killed run of an earlier release left: an empty folder or one with our marker.
void removeOldTemporaryFolders(const fs::path& folder) {
    std::error_code ignored;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ignored)) {
        const std::string name = platform::pathBytes(entry.path().filename());
        if (name.size() != kOldTemporaryPrefix.size() + 6 || !name.starts_with(kOldTemporaryPrefix)) continue;
        if (!entry.is_directory(ignored) || entry.is_symlink(ignored)) continue;
        if (ourPlayersFolder(entry.path()) || fs::is_empty(entry.path(), ignored))
            fs::remove_all(entry.path(), ignored);
    }
}

}  // namespace

void stageSite(SiteChange& change, const SiteSummary& site, const std::string& programFolder,
               const std::string& pageTarget, const ModernSite* modern) {
    const fs::path target = platform::nativePath(pageTarget);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string mainPage = platform::pathBytes(target.filename());
    requireReplaceable(folder / kPlayersFolder);
    removeOldTemporaryFolders(folder);
    const PageFrame frame = readPageFrame(programFolder);

    const std::string players = std::string(kPlayersFolder);
    change.addFolder(players);
    change.addFile(players + "/" + kPlayersMarker, kMarkerText, false);
    for (size_t p = 0; p < site.players.size(); ++p) {
        change.addFile(
            players + "/" + site.players[p].fileName,
            modern ? modernPlayerPage(*modern, p, frame, mainPage) : playerPage(site, p, frame, mainPage),
            false);
    }
    change.addFile(std::string(kWeaponsPage),
                   modern ? modernWeaponsPage(*modern, frame, mainPage) : weaponsPage(site, frame, mainPage));
    change.addFile(std::string(kMapsPage),
                   modern ? modernMapsPage(*modern, frame, mainPage) : mapsPage(site, frame, mainPage));
    if (site.ratings)
        change.addFile(std::string(kVersusPage), modern ? modernVersusPage(*modern, frame, mainPage)
                                                        : versusPage(site, frame, mainPage));
}

void writeSite(const SiteSummary& site, const std::string& programFolder, const std::string& pageTarget) {
    const fs::path target = platform::nativePath(pageTarget);
    SiteChange change(target.has_parent_path() ? platform::pathBytes(target.parent_path()) : ".");
    stageSite(change, site, programFolder, pageTarget);
    change.commit();
}

}  // namespace gravmark
