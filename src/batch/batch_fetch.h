#pragma once
// --fetch: the log comes from the settings' account into the program folder's
// "games_mp.log", as "get log ftp server" fetches it.
#include <optional>
#include <string>

#include "common/progress.h"
#include "fetch/certificate_trust.h"
#include "settings/settings_values.h"

namespace gravmark {

// What a fetch tells on standard error. A single run tells every step; a watch looks every
// minute, so it tells only a rotated log, which it keeps a copy of.
enum class FetchTelling { EveryStep, RotationOnly };

// Throws gravmark::Error when no server is configured and when the fetch fails: a
// scheduled run must not build the page from a log it failed to bring up to date. A
// certificate the system cannot verify is accepted only when it is the one kept in the
// settings file or the one `trust` names (--trust), which is then kept.
void fetchLog(const SettingsValues& settings, const std::string& programFolder, Progress& progress,
              const std::optional<std::string>& trust, FetchTelling telling = FetchTelling::EveryStep);

// How the batch decides about the certificate of `server` that the system cannot verify:
// accepted when it is the one `trust` names; refused with a text that says whether --trust
// named another one, the kept one changed, or how to accept it.
TrustDecision batchCertificateDecision(const std::string& server, const std::optional<std::string>& trust);

}  // namespace gravmark
