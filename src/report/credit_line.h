#pragma once
// The credit line SAVE puts in front of the footer.
#include <string>

namespace gravmark {

std::string creditLine(const std::string& productVersion);

}  // namespace gravmark
