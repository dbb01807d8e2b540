#include "platform/collator_keys.h"

namespace gravmark::platform {

bool collatorSortKeysWork() { return false; }

}  // namespace gravmark::platform
