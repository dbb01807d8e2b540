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

// The sections and keys of the settings file. The file is the user's and other releases
// read it too, so these spellings never change, whatever the fields below are called.
struct SettingsKey {
    static constexpr const char* kConnectSection = "FTPconnect";
    static constexpr const char* kGeneralSection = "General";
    static constexpr const char* kMedalSection = "Medals";
    // In "FTPconnect":
    static constexpr const char* kServer = "server";
    static constexpr const char* kUser = "user";
    static constexpr const char* kPassword = "pass";
    static constexpr const char* kLogFile = "logfile";
    static constexpr const char* kKeyFile = "keyfile";
    static constexpr const char* kProtocol = "protocol";
    static constexpr const char* kPassive = "passive";
    static constexpr const char* kTlsFingerprint = "tlsfingerprint";
    // In "General":
    static constexpr const char* kSavePath = "savepath";
    static constexpr const char* kMergeById = "mergebyid";
    static constexpr const char* kHistory = "history";
    static constexpr const char* kPlayerPages = "playerpages";
    static constexpr const char* kRatings = "ratings";
    static constexpr const char* kSiteStyle = "sitestyle";
    static constexpr const char* kLogCodePage = "logcodepage";
    static constexpr const char* kExport = "export";
};

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
    std::string password = kNotConfigured;
    std::string logFile = "games_mp.log";
    std::string savePath = kNotConfigured;
    // Killer, Headshooter, Shot in the head, Target, TNT, Grenades, Suicide.
    std::array<bool, 7> medals{true, true, true, true, false, true, true};
    // Names seen with one player id are counted under one name (key "mergebyid" in "General").
    bool mergeById = false;
    std::string keyFile = kNotConfigured;  // a private key for SFTP logins (section "FTPconnect")
    std::string protocol = kProtocols[0].key;
    bool passive = true;
    // The server certificate the user accepted, "SHA256:" + 64 lower-case hex digits; it
    // is written when accepted, never by "Save settings".
    std::string tlsFingerprint;
    bool history = false;  // LOAD reads the rotated copies before the log
    // A page per player, weapons.html and maps.html beside the saved page ("General", "playerpages").
    bool playerPages = false;
    // A skill rating per player, with rivals and form, where the pages show players ("General", "ratings").
    bool ratings = false;
    std::string siteStyle = kSiteStyles[0];      // "General", "sitestyle"
    std::string logCodePage = kLogCodePages[0];  // "General", "logcodepage"
    bool exportData = false;  // stats.json and players.csv beside the page ("General", "export")

    bool operator==(const SettingsValues&) const = default;
};

// Reads every key from the settings file at iniPath (see settingsFileName()).
SettingsValues readSettings(const std::string& iniPath);

}  // namespace gravmark
