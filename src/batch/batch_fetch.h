#pragma once
// --fetch: the log comes from the settings' FTP account into the program folder's
// "games_mp.log", continuing the local copy, as "get log ftp server" fetches it.
#include "common/progress.h"
#include "settings/settings_values.h"

namespace gravmark {

// Throws gravmark::Error when no server is configured, when the fetch fails, and when the
// server drops the connection right after the login (the window then silently stops; a
// scheduled run must not build the page from a log it failed to bring up to date).
void fetchLog(const SettingsValues& settings, const std::string& programFolder, Progress& progress);

}  // namespace gravmark
