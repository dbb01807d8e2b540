#include "settings/settings_writer.h"

#include "settings/ini_file.h"

namespace gravmark {

namespace {

// A flag of "General" added later: a file whose user never ticked it stays byte for
// byte as it was.
void writeOptionalFlag(const IniFile& ini, std::string_view key, bool on) {
    constexpr std::string_view kAbsent = "\n";  // no value read from a line holds a line break
    if (on || ini.readString("General", key, kAbsent) != kAbsent) ini.writeBool("General", key, on);
}

}  // namespace

void writeSettings(const std::string& iniPath, const SettingsValues& values) {
    const IniFile ini(iniPath);
    ini.writeString("FTPconnect", "server", values.server);
    ini.writeString("FTPconnect", "user", values.user);
    ini.writeString("FTPconnect", "pass", values.pass);
    ini.writeString("FTPconnect", "logfile", values.logfile);
    ini.writeString("General", "savepath", values.savepath);
    for (size_t i = 0; i < values.medals.size(); ++i)
        ini.writeBool("Medals", kMedalKeys[i], values.medals[i]);
    ini.writeBool("General", "mergebyid", values.mergebyid);
    ini.writeString("FTPconnect", "keyfile", values.keyfile);
    ini.writeString("FTPconnect", "protocol", values.protocol);
    ini.writeBool("FTPconnect", "passive", values.passive);
    ini.writeBool("General", "history", values.history);
    writeOptionalFlag(ini, "playerpages", values.playerpages);
    writeOptionalFlag(ini, "ratings", values.ratings);
}

}  // namespace gravmark
