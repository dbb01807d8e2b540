#pragma once
// A server certificate the system's trust store does not vouch for is accepted by its
// SHA-256 fingerprint ("SHA256:" + 64 lower-case hex digits): the one kept in the
// settings file (key "tlsfingerprint" of section "FTPconnect", written by hand or when
// the user accepted it), or a new one the caller's decision accepts, which is then kept.
#include <functional>
#include <string>

namespace gravmark {

// Decides about a fingerprint that is not the kept one; acceptedBefore is the kept one,
// empty when there is none. Returns to accept, throws gravmark::Error to refuse.
using TrustDecision = std::function<void(const std::string& fingerprint, const std::string& acceptedBefore)>;

void checkCertificate(const std::string& settingsFile, const std::string& fingerprint,
                      const TrustDecision& decide);

// The refusal of a certificate that is not the one accepted before.
std::string certificateChangedMessage(const std::string& acceptedBefore, const std::string& fingerprint);

}  // namespace gravmark
