#include "site/site_writer.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "common/error.h"
#include "common/text_box_lines.h"
#include "report/write_page.h"
#include "site/page_text.h"
#include "site/player_page.h"
#include "site/server_pages.h"
#include "site/site_navigation.h"
#include "site/versus_page.h"

namespace gravmark {

namespace {

namespace fs = std::filesystem;

constexpr mode_t kFolderMode = 0755;
constexpr mode_t kFileMode = 0644;
constexpr std::string_view kMarkerText =
    "Written by Gravmark Parser: this folder is replaced at every save.\n";

[[noreturn]] void cannotCreate(const std::string& path, int error) {
    throw Error("Cannot create file \"" + path + "\". " + std::strerror(error));
}

void writeNewFile(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kFileMode);
    if (fd < 0) cannotCreate(path, errno);
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) {
            const int error = errno;
            ::close(fd);
            cannotCreate(path, error);
        }
        bytes.remove_prefix(size_t(written));
    }
    if (::close(fd) != 0) cannotCreate(path, errno);
}

bool ourPlayersFolder(const fs::path& folder) {
    std::error_code ignored;
    return fs::is_regular_file(folder / kPlayersMarker, ignored);
}

// A players/ that exists and is not ours stops the save before anything is written.
void requireReplaceable(const fs::path& players) {
    std::error_code ignored;
    if (!fs::exists(fs::symlink_status(players, ignored)) || ourPlayersFolder(players)) return;
    throw Error("The folder \"" + fs::absolute(players, ignored).lexically_normal().string() +
                "\" was not written by Gravmark Parser. It is left as it is; rename or remove it to save "
                "player pages there.");
}

// A fresh, empty, hidden folder beside players/.
fs::path temporaryFolder(const fs::path& folder) {
    std::string name = (folder / ".players.XXXXXX").string();
    if (!::mkdtemp(name.data())) cannotCreate(name, errno);
    if (::chmod(name.c_str(), kFolderMode) != 0) {
        const int error = errno;
        ::rmdir(name.c_str());
        cannotCreate(name, error);
    }
    return name;
}

void fillPlayersFolder(const fs::path& into, const SiteSummary& site, const PageFrame& frame,
                       const std::string& mainPage) {
    writeNewFile((into / kPlayersMarker).string(), kMarkerText);
    for (size_t p = 0; p < site.players.size(); ++p)
        writeNewFile((into / site.players[p].fileName).string(), playerPage(site, p, frame, mainPage));
}

// Puts `fresh` in place of `players` and returns where the old folder now lies (empty
// when there was none). Exchanging the two in one call leaves no moment without players/;
// a file system that cannot exchange gets two renames.
fs::path swapIntoPlace(const fs::path& fresh, const fs::path& players) {
    std::error_code ignored;
    if (!fs::exists(fs::symlink_status(players, ignored))) {
        if (::rename(fresh.c_str(), players.c_str()) != 0) cannotCreate(players.string(), errno);
        return {};
    }
    if (::renameat2(AT_FDCWD, fresh.c_str(), AT_FDCWD, players.c_str(), RENAME_EXCHANGE) == 0) return fresh;
    if (errno != EINVAL && errno != ENOSYS) cannotCreate(players.string(), errno);
    const fs::path old = temporaryFolder(players.parent_path());
    // Renaming a folder onto an empty one replaces it.
    if (::rename(players.c_str(), old.c_str()) != 0) {
        const int error = errno;
        ::rmdir(old.c_str());
        cannotCreate(players.string(), error);
    }
    if (::rename(fresh.c_str(), players.c_str()) != 0) {
        const int error = errno;
        ::rename(old.c_str(), players.c_str());
        cannotCreate(players.string(), error);
    }
    return old;
}

void writeBesidePage(const fs::path& path, const std::string& text) {
    TextBoxLines page;
    page.setText(text);
    writePage(page, path.string());
}

}  // namespace

void writeSite(const SiteSummary& site, const std::string& programFolder, const std::string& pageTarget) {
    const fs::path target(pageTarget);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string mainPage = target.filename().string();
    std::error_code ignored;
    // Where the page itself cannot go, its own failure is the one to report.
    if (!fs::is_directory(folder, ignored)) return;
    const fs::path players = folder / kPlayersFolder;
    const PageFrame frame = readPageFrame(programFolder);
    requireReplaceable(players);

    const fs::path fresh = temporaryFolder(folder);
    try {
        fillPlayersFolder(fresh, site, frame, mainPage);
        const fs::path old = swapIntoPlace(fresh, players);
        // The old folder is ours (checked above); a leftover would only cost space.
        if (!old.empty()) fs::remove_all(old, ignored);
    } catch (...) {
        fs::remove_all(fresh, ignored);
        throw;
    }
    writeBesidePage(folder / kWeaponsPage, weaponsPage(site, frame, mainPage));
    writeBesidePage(folder / kMapsPage, mapsPage(site, frame, mainPage));
    if (site.ratings) writeBesidePage(folder / kVersusPage, versusPage(site, frame, mainPage));
}

}  // namespace gravmark
