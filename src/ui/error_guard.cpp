#include "ui/error_guard.h"

#include <exception>

#include "common/dialogs.h"

namespace gravmark {

std::string withFullStop(std::string text) {
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
        text += '.';
    }
    return text;
}

bool runGuarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        dialogs().showError(withFullStop(error.what()));
        return false;
    }
}

}  // namespace gravmark
