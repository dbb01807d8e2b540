#include "settings/settings_values.h"

#include <QString>

#include "common/file_names.h"
#include "settings/ini_file.h"

namespace gravmark {

namespace {

std::string lowerCase(const std::string& text) {
    return QString::fromLatin1(text).toLower().toLatin1().toStdString();
}

}  // namespace

SettingsValues readSettings(const std::string& iniPath) {
    const IniFile ini(iniPath);
    SettingsValues values;
    values.server = ini.readString("FTPconnect", "server", values.server);
    values.user = ini.readString("FTPconnect", "user", values.user);
    values.pass = ini.readString("FTPconnect", "pass", values.pass);
    values.logfile = ini.readString("FTPconnect", "logfile", values.logfile);
    values.savepath = storedFileName(ini.readString("General", "savepath", values.savepath));
    for (size_t i = 0; i < kMedalKeys.size(); ++i)
        values.medals[i] = ini.readBool("Medals", kMedalKeys[i], values.medals[i]);
    values.mergebyid = ini.readBool("General", "mergebyid", values.mergebyid);
    values.keyfile = ini.readString("FTPconnect", "keyfile", values.keyfile);
    // Written in lower case; a hand-edited "FTPS" means the same.
    values.protocol = lowerCase(ini.readString("FTPconnect", "protocol", values.protocol));
    values.passive = ini.readBool("FTPconnect", "passive", values.passive);
    values.tlsfingerprint = ini.readString("FTPconnect", "tlsfingerprint", values.tlsfingerprint);
    values.history = ini.readBool("General", "history", values.history);
    values.playerpages = ini.readBool("General", "playerpages", values.playerpages);
    values.ratings = ini.readBool("General", "ratings", values.ratings);
    values.sitestyle = lowerCase(ini.readString("General", "sitestyle", values.sitestyle));
    values.logcodepage = lowerCase(ini.readString("General", "logcodepage", values.logcodepage));
    values.exportData = ini.readBool("General", "export", values.exportData);
    return values;
}

}  // namespace gravmark
