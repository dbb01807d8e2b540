#pragma once
// The real server logs are not part of the repository: they lie in ../shared beside the
// checkout. A test that reads them starts with GRAVMARK_REQUIRE_REAL_LOGS(), which skips
// it, saying why, in a clone that stands alone.
#include <gtest/gtest.h>

#include <filesystem>

#define GRAVMARK_REQUIRE_REAL_LOGS()                                                             \
    if (!std::filesystem::is_directory(GRAVMARK_REAL_LOGS))                                      \
    GTEST_SKIP() << "the real server logs are not at " GRAVMARK_REAL_LOGS                        \
                    " (they come from ../shared beside the checkout)"
