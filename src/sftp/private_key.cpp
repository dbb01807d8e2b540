#include "sftp/private_key.h"

#include <fstream>

#include "common/error.h"
#include "platform/native_path.h"

namespace gravmark {

namespace {

// libssh asks through this when the key is protected and no passphrase was passed in;
// refusing tells the caller to ask the user.
int refusePassphrase(const char*, char*, size_t, int, int, void* asked) {
    *static_cast<bool*>(asked) = true;
    return -1;
}

}  // namespace

std::optional<SshKey> loadPrivateKey(const std::string& path, const std::optional<std::string>& passphrase) {
    if (!std::ifstream(platform::nativePath(path), std::ios::binary))
        throw Error("Cannot read the key file \"" + path + "\".");
    bool passphraseAsked = false;
    ssh_key key = nullptr;
    const int result = ssh_pki_import_privkey_file(path.c_str(), passphrase ? passphrase->c_str() : nullptr,
                                                   refusePassphrase, &passphraseAsked, &key);
    if (result == SSH_OK) return SshKey(key);
    if (passphraseAsked) return std::nullopt;
    if (passphrase) throw Error("The passphrase does not open the key file \"" + path + "\".");
    throw Error("The key file \"" + path + "\" holds no private key in OpenSSH or PEM format.");
}

}  // namespace gravmark
