#include "common/rotated_copies.h"

#include <QRegularExpression>
#include <algorithm>
#include <filesystem>
#include <tuple>

#include "platform/native_path.h"

namespace gravmark {
namespace {

namespace fs = std::filesystem;

// "YYYYMMDD-HHMMSS", then "-N" for the second and later copies of the same second.
const QRegularExpression& copySuffix() {
    static const QRegularExpression suffix(QStringLiteral("^\\.(\\d{8}-\\d{6})(?:-(\\d+))?$"));
    return suffix;
}

}  // namespace

std::string newRotatedCopyPath(const std::string& logPath, const QDateTime& when) {
    const std::string dated = logPath + "." + when.toString(QStringLiteral("yyyyMMdd-HHmmss")).toStdString();
    std::string path = dated;
    for (int number = 2; fs::exists(fs::symlink_status(platform::nativePath(path))); ++number)
        path = dated + "-" + std::to_string(number);
    return path;
}

std::vector<std::string> rotatedCopies(const std::string& logPath) {
    const fs::path log = platform::nativePath(logPath);
    const std::string logName = platform::pathBytes(log.filename());
    // (time, number, path): a copy without a number is the first of its second.
    std::vector<std::tuple<std::string, int, std::string>> found;
    std::error_code unreadable;
    for (const auto& entry : fs::directory_iterator(log.parent_path(), unreadable)) {
        const std::string name = platform::pathBytes(entry.path().filename());
        if (!name.starts_with(logName) || !entry.is_regular_file()) continue;
        const auto match = copySuffix().match(QString::fromStdString(name.substr(logName.size())));
        if (!match.hasMatch()) continue;
        const int number = match.captured(2).isEmpty() ? 1 : match.captured(2).toInt();
        found.emplace_back(match.captured(1).toStdString(), number, platform::pathBytes(entry.path()));
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& copy : found) paths.push_back(std::move(std::get<2>(copy)));
    return paths;
}

std::vector<std::string> logFilesToLoad(const std::string& logPath, bool history) {
    std::vector<std::string> files = history ? rotatedCopies(logPath) : std::vector<std::string>{};
    files.push_back(logPath);
    return files;
}

}  // namespace gravmark
