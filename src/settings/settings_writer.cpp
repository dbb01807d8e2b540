#include "settings/settings_writer.h"

#include "settings/ini_file.h"

namespace gravmark {

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
    // A file whose user never changed these from their defaults stays byte for byte as it was.
    constexpr std::string_view kAbsent = "\n";  // no value read from a line holds a line break
    const auto present = [&ini, kAbsent](const char* key) {
        return ini.readString("General", key, kAbsent) != kAbsent;
    };
    if (values.playerpages || present("playerpages"))
        ini.writeBool("General", "playerpages", values.playerpages);
    if (values.sitestyle != kSiteStyles[0] || present("sitestyle"))
        ini.writeString("General", "sitestyle", values.sitestyle);
    if (values.logcodepage != kLogCodePages[0] || present("logcodepage"))
        ini.writeString("General", "logcodepage", values.logcodepage);
    if (values.exportData || present("export")) ini.writeBool("General", "export", values.exportData);
    if (values.ratings || present("ratings")) ini.writeBool("General", "ratings", values.ratings);
}

}  // namespace gravmark
