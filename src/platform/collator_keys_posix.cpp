#include "platform/collator_keys.h"

namespace gravmark::platform {

bool collatorSortKeysWork() { return true; }

}  // namespace gravmark::platform
