#pragma once
// Errors are raised, not returned: every failing operation throws a gravmark::Error
// carrying the exact text the user will see. Handlers do not catch them; the one
// application-level handler shows the message and the program goes on.
#include <stdexcept>
#include <string>

namespace gravmark {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace gravmark
