#include "a/a.h"
#include "d/d.h"
