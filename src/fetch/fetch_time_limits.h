#pragma once
// How long a fetch waits before it gives up. The data limit counts silence, so a long
// but steady transfer is never cut off. Tests shorten them.
#include <chrono>

namespace gravmark {

struct FetchTimeLimits {
    std::chrono::milliseconds connect{120'000};  // host lookup plus the TCP connection
    std::chrono::milliseconds reply{60'000};     // for a whole reply
    std::chrono::milliseconds data{60'000};      // no data connection, or no data on it, for this long
    std::chrono::milliseconds lock{60'000};      // for another fetch in the same folder to end
};

}  // namespace gravmark
