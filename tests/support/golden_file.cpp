#include "support/golden_file.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "support/temp_folder.h"

namespace gravmark::test {

bool matchesExpectedFile(const std::string& expectedPath, const std::string& actual) {
    const std::string actualPath = expectedPath + ".actual";
    if (std::getenv("GRAVMARK_UPDATE_EXPECTED")) {
        writeFile(expectedPath, actual);
        std::filesystem::remove(actualPath);
        std::cerr << "rewritten " << expectedPath << "\n";
        return true;
    }
    if (std::filesystem::exists(expectedPath) && readFile(expectedPath) == actual) {
        std::filesystem::remove(actualPath);
        return true;
    }
    writeFile(actualPath, actual);
    std::cerr << "differs from " << expectedPath << "; written " << actualPath << "\n";
    const std::string command = "diff -u '" + expectedPath + "' '" + actualPath + "' 1>&2";
    [[maybe_unused]] const int shown = std::system(command.c_str());
    return false;
}

}  // namespace gravmark::test
