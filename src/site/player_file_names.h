#pragma once
// File names of the player pages in players/: the name's ASCII letters and digits (at
// most 40), a dash and the 16 hex digits of the 64-bit FNV-1a hash of the name's bytes,
// then ".html" ("Flo-1a2b3c4d5e6f7a8b.html"; a name without such characters gives the
// hash alone). The hash is fixed by the bytes, so a player's address stays the same from
// run to run and build to build. No name can put a separator, a dot or anything but
// [A-Za-z0-9-] before ".html", so every page stays inside players/.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gravmark {

uint64_t fnv1a64(std::string_view bytes);

std::string playerFileName(std::string_view name);

// One file name per name, in the given order; where two names still give the same file
// name, the later one gets "-2", the next "-3" and so on before ".html".
std::vector<std::string> uniquePlayerFileNames(const std::vector<std::string>& names);

}  // namespace gravmark
