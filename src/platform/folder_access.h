#pragma once
// Folders a run makes for itself (the staging folder of a site change) and the lock that
// tells a live run's folder from one a killed run left behind.
#include <cstdint>
#include <string>

namespace gravmark::platform {

// Makes the folder, readable by all and writable by its owner whatever the umask. 0, or
// the errno value.
int makeFolder(const std::string& path);

// Makes a new folder whose name is `pattern` with its last six characters ("XXXXXX")
// replaced; `pattern` is changed to the name made. 0, or the errno value.
int makeTemporaryFolder(std::string& pattern);

// A lock held on a folder while its maker lives; the system drops it with the process.
// -1 with errno set when it cannot be taken. `wait` false: fails at once (EWOULDBLOCK)
// when someone else holds it.
intptr_t lockFolder(const std::string& path, bool wait);
void unlockFolder(intptr_t lock);

}  // namespace gravmark::platform
