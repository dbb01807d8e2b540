#pragma once
// The values of the settings file, as the settings window shows them and the runs use them:
// the account the log is fetched from and how, the default save folder, whether LOAD
// takes in the rotated copies of the log, and the seven medal flags, each with its
// default when the file or the key is missing.
#include <array>
#include <string>

namespace gravmark {

// The placeholder of a value that is not configured.
inline constexpr const char* kNotConfigured = "<none>";

// The keys of the seven medal flags in section "Medals", in the order of SettingsValues::medals.
inline constexpr std::array<const char*, 7> kMedalKeys = {"killer", "hshoot",  "hdead",  "target",
                                                          "tnt",    "grenade", "suicide"};

// The ways of fetching the log ("protocol" in section "FTPconnect"): the value in the
// file and the caption of the settings window's "Protocol" choice. The first is the default.
struct ProtocolChoice {
    const char* key;
    const char* caption;
};
inline constexpr ProtocolChoice kProtocols[] = {
    {"ftp", "FTP"},
    {"ftps", "FTP over TLS"},
    {"sftp", "SFTP"},
};

// The page styles ("sitestyle" in "General"); the first, the classic page, is the default.
inline constexpr std::array<const char*, 2> kSiteStyles = {"classic", "modern"};
// The code pages a server may write its log in ("logcodepage" in "General"), read when a
// modern page or the export is written; the first is the default.
inline constexpr std::array<const char*, 7> kLogCodePages = {
    "windows-1252", "windows-1250", "windows-1251", "iso-8859-1", "iso-8859-2", "utf-8", "auto"};

struct SettingsValues {
    std::string server = kNotConfigured;
    std::string user = kNotConfigured;
    std::string pass = kNotConfigured;
    std::string logfile = "games_mp.log";
    std::string savepath = kNotConfigured;
    // Killer, Headshooter, Shot in the head, Target, TNT, Grenades, Suicide.
    std::array<bool, 7> medals{true, true, true, true, false, true, true};
    // Names seen with one player id are counted under one name (key "mergebyid" in "General").
    bool mergebyid = false;
    std::string keyfile = kNotConfigured;  // a private key for SFTP logins (section "FTPconnect")
    std::string protocol = kProtocols[0].key;
    bool passive = true;
    // The server certificate the user accepted, "SHA256:" + 64 lower-case hex digits; it
    // is written when accepted, never by "Save settings".
    std::string tlsfingerprint;
    bool history = false;  // LOAD reads the rotated copies before the log
    // A page per player, weapons.html and maps.html beside the saved page ("General", "playerpages").
    bool playerpages = false;
    // A skill rating per player, with rivals and form, where the pages show players ("General", "ratings").
    bool ratings = false;
    std::string sitestyle = kSiteStyles[0];      // "General", "sitestyle"
    std::string logcodepage = kLogCodePages[0];  // "General", "logcodepage"
    bool exportData = false;  // stats.json and players.csv beside the page ("General", "export")

    bool operator==(const SettingsValues&) const = default;
};

// Reads every key from the settings file at iniPath (see settingsFileName()).
SettingsValues readSettings(const std::string& iniPath);

}  // namespace gravmark
