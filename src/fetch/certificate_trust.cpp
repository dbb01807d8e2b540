#include "fetch/certificate_trust.h"

#include "settings/ini_file.h"
#include "settings/settings_values.h"

namespace gravmark {

void checkCertificate(const std::string& settingsFile, const std::string& fingerprint,
                      const TrustDecision& decide) {
    const IniFile settings(settingsFile);
    const std::string kept = settings.readString(SettingsKey::kConnectSection, SettingsKey::kTlsFingerprint, "");
    if (kept == fingerprint) return;
    decide(fingerprint, kept);
    settings.writeString(SettingsKey::kConnectSection, SettingsKey::kTlsFingerprint, fingerprint);
}

std::string certificateChangedMessage(const std::string& acceptedBefore, const std::string& fingerprint) {
    return "The server's certificate has changed. Accepted: " + acceptedBefore +
           "; shown now: " + fingerprint +
           ". It is refused: if the server's certificate was renewed, remove tlsfingerprint from the "
           "settings "
           "file and fetch again.";
}

}  // namespace gravmark
