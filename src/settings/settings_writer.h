#pragma once
// Writes every setting to the settings file, key by key in the order of the file
// ("FTPconnect": server, user, pass, logfile; "General": savepath; "Medals": the seven
// flags as "1" or "0"; then the keys added since, each in its section;
// "playerpages" and "ratings" only when set or already in the file). Other content of
// the file is kept. The accepted certificate fingerprint is not among them: it is
// written when the user accepts it. The first key that cannot be written throws "Unable to write to
// <path>", and the keys after it are not written.
#include <string>

#include "settings/settings_values.h"

namespace gravmark {

void writeSettings(const std::string& iniPath, const SettingsValues& values);

}  // namespace gravmark
