#include "settings/settings_writer.h"

#include "settings/ini_file.h"

namespace gravmark {

using Key = SettingsKey;

void writeSettings(const std::string& iniPath, const SettingsValues& values) {
    const IniFile ini(iniPath);
    ini.writeString(Key::kConnectSection, Key::kServer, values.server);
    ini.writeString(Key::kConnectSection, Key::kUser, values.user);
    ini.writeString(Key::kConnectSection, Key::kPassword, values.password);
    ini.writeString(Key::kConnectSection, Key::kLogFile, values.logFile);
    ini.writeString(Key::kGeneralSection, Key::kSavePath, values.savePath);
    for (size_t i = 0; i < values.medals.size(); ++i)
        ini.writeBool(Key::kMedalSection, kMedalKeys[i], values.medals[i]);
    ini.writeBool(Key::kGeneralSection, Key::kMergeById, values.mergeById);
    ini.writeString(Key::kConnectSection, Key::kKeyFile, values.keyFile);
    ini.writeString(Key::kConnectSection, Key::kProtocol, values.protocol);
    ini.writeBool(Key::kConnectSection, Key::kPassive, values.passive);
    ini.writeBool(Key::kGeneralSection, Key::kHistory, values.history);
    // A file whose user never changed these from their defaults stays byte for byte as it was.
    constexpr std::string_view kAbsent = "\n";  // no value read from a line holds a line break
    const auto present = [&ini, kAbsent](const char* key) {
        return ini.readString(Key::kGeneralSection, key, kAbsent) != kAbsent;
    };
    if (values.playerPages || present(Key::kPlayerPages))
        ini.writeBool(Key::kGeneralSection, Key::kPlayerPages, values.playerPages);
    if (values.siteStyle != kSiteStyles[0] || present(Key::kSiteStyle))
        ini.writeString(Key::kGeneralSection, Key::kSiteStyle, values.siteStyle);
    if (values.logCodePage != kLogCodePages[0] || present(Key::kLogCodePage))
        ini.writeString(Key::kGeneralSection, Key::kLogCodePage, values.logCodePage);
    if (values.exportData || present(Key::kExport)) ini.writeBool(Key::kGeneralSection, Key::kExport, values.exportData);
    if (values.ratings || present(Key::kRatings)) ini.writeBool(Key::kGeneralSection, Key::kRatings, values.ratings);
}

}  // namespace gravmark
