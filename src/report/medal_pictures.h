#pragma once
// The seven medal pictures that the page names by bare file name, carried inside the
// program, so that a saved page shows its medals without copying them by hand.
#include <string>

namespace gravmark {

// Writes every medal picture into `folder` under the name the page uses, unless an entry
// of that name is there already: a picture there is never overwritten, and one written
// here appears whole or not at all. A picture that cannot be written is left out without
// a message: the page is saved by then and reads well without it.
void addMissingMedalPictures(const std::string& folder);

}  // namespace gravmark
