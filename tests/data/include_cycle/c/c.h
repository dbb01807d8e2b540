#pragma once
#include "c/c.h"
#include "a/a.h"
