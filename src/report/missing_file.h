#pragma once
// Files the pages need beside them (the medal pictures, the style sheet) that the user may
// replace by their own: written only where no entry of that name is.
#include <string>
#include <string_view>

namespace gravmark {

// Writes `bytes` as `folder`/`name` (mode 0644) unless an entry of that name exists, even a
// link: a file there is never overwritten, even by a race, and one written here appears
// whole or not at all. A file that cannot be written is left out without a message.
void addMissingFile(const std::string& folder, const std::string& name, std::string_view bytes);

}  // namespace gravmark
