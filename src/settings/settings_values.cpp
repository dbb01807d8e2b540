#include "settings/settings_values.h"

#include <QString>

#include "common/file_names.h"
#include "settings/ini_file.h"

namespace gravmark {

using Key = SettingsKey;

namespace {

std::string lowerCase(const std::string& text) {
    return QString::fromLatin1(text).toLower().toLatin1().toStdString();
}

}  // namespace

SettingsValues readSettings(const std::string& iniPath) {
    const IniFile ini(iniPath);
    SettingsValues values;
    values.server = ini.readString(Key::kConnectSection, Key::kServer, values.server);
    values.user = ini.readString(Key::kConnectSection, Key::kUser, values.user);
    values.password = ini.readString(Key::kConnectSection, Key::kPassword, values.password);
    values.logFile = ini.readString(Key::kConnectSection, Key::kLogFile, values.logFile);
    values.savePath = storedFileName(ini.readString(Key::kGeneralSection, Key::kSavePath, values.savePath));
    for (size_t i = 0; i < kMedalKeys.size(); ++i)
        values.medals[i] = ini.readBool(Key::kMedalSection, kMedalKeys[i], values.medals[i]);
    values.mergeById = ini.readBool(Key::kGeneralSection, Key::kMergeById, values.mergeById);
    values.keyFile = ini.readString(Key::kConnectSection, Key::kKeyFile, values.keyFile);
    // Written in lower case; a hand-edited "FTPS" means the same.
    values.protocol = lowerCase(ini.readString(Key::kConnectSection, Key::kProtocol, values.protocol));
    values.passive = ini.readBool(Key::kConnectSection, Key::kPassive, values.passive);
    values.tlsFingerprint = ini.readString(Key::kConnectSection, Key::kTlsFingerprint, values.tlsFingerprint);
    values.history = ini.readBool(Key::kGeneralSection, Key::kHistory, values.history);
    values.playerPages = ini.readBool(Key::kGeneralSection, Key::kPlayerPages, values.playerPages);
    values.ratings = ini.readBool(Key::kGeneralSection, Key::kRatings, values.ratings);
    values.siteStyle = lowerCase(ini.readString(Key::kGeneralSection, Key::kSiteStyle, values.siteStyle));
    values.logCodePage = lowerCase(ini.readString(Key::kGeneralSection, Key::kLogCodePage, values.logCodePage));
    values.exportData = ini.readBool(Key::kGeneralSection, Key::kExport, values.exportData);
    return values;
}

}  // namespace gravmark
