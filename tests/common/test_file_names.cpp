#include <gtest/gtest.h>

#include "common/file_names.h"

namespace gravmark {
namespace {

// The test programs run in a UTF-8 locale, so the file-name encoding is UTF-8.
TEST(FileNames, NamesInAnyLettersCrossBothWaysAndLatin1NamesAreStillRead) {
    for (const std::string name : {"/srv/Caf\u00e9 \u00e0 l'\u00e9t\u00e9", "/srv/\u041f\u0430\u043f\u043a\u0430",
                                   "/srv/\u7edf\u8ba1\u9875", "/srv/plain"}) {
        EXPECT_EQ(fileSystemName(QString::fromUtf8(name)), name);
        EXPECT_EQ(shownFileName(name), QString::fromUtf8(name));
        EXPECT_EQ(storedFileName(name), name);
    }
    // An earlier release stored what was typed as Latin-1 bytes.
    EXPECT_EQ(shownFileName("/srv/Caf\xe9"), QString::fromUtf8("/srv/Caf\u00e9"));
    EXPECT_EQ(storedFileName("/srv/Caf\xe9"), "/srv/Caf\u00e9");
}

}  // namespace
}  // namespace gravmark
