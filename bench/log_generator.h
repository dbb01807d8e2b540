#pragma once
// Benchmarks name the log generator as gravmark::bench; it lives in src/loggen/ because
// the build makes the shipped sample log with it.
#include "loggen/log_generator.h"

namespace gravmark::bench {

using loggen::generateLog;
using loggen::LogShape;
using loggen::writeLog;

}  // namespace gravmark::bench
