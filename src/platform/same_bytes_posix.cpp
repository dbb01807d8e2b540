#include "platform/same_bytes.h"

namespace gravmark::platform {

bool sameBytes(std::string_view a, std::string_view b) { return a == b; }

}  // namespace gravmark::platform
