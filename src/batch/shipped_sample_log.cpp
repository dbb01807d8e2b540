#include "batch/shipped_sample_log.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "common/error.h"
#include "loggen/log_generator.h"
#include "platform/native_path.h"
#include "settings/ini_file.h"

namespace gravmark {

bool isShippedSampleLog(const std::string& path) {
    // The sample is made again rather than shipped twice: a few milliseconds, and only a
    // log of its very size is read at all.
    std::error_code error;
    const auto size = std::filesystem::file_size(platform::nativePath(path), error);
    if (error) return false;
    const std::string sample = loggen::generateLog(loggen::kSampleLogShape);
    if (size != sample.size()) return false;
    std::ifstream file(platform::nativePath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {}) == sample;
}

void refuseShippedSampleLog(const std::string& folder) {
    if (!isShippedSampleLog(folder + "games_mp.log")) return;
    throw Error("games_mp.log is the sample log that comes with the program; put the game server's log in " +
                folder + " or fetch it with --fetch from the FTP account set in " + settingsFileName());
}

}  // namespace gravmark
