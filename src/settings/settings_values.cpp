#include "settings/settings_values.h"

#include "settings/ini_file.h"

namespace gravmark {

SettingsValues readSettings(const std::string& iniPath) {
    const IniFile ini(iniPath);
    SettingsValues values;
    values.server = ini.readString("FTPconnect", "server", values.server);
    values.user = ini.readString("FTPconnect", "user", values.user);
    values.pass = ini.readString("FTPconnect", "pass", values.pass);
    values.logfile = ini.readString("FTPconnect", "logfile", values.logfile);
    values.savepath = ini.readString("General", "savepath", values.savepath);
    for (size_t i = 0; i < kMedalKeys.size(); ++i)
        values.medals[i] = ini.readBool("Medals", kMedalKeys[i], values.medals[i]);
    values.mergebyid = ini.readBool("General", "mergebyid", values.mergebyid);
    values.keyfile = ini.readString("FTPconnect", "keyfile", values.keyfile);
    return values;
}

}  // namespace gravmark
