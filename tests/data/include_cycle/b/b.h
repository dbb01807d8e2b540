#pragma once
#include <vector>
#include "c/c.h"
