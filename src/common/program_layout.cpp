#include "common/program_layout.h"

#include <QDir>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

#include "common/error.h"
#include "common/program_folder.h"
#include "platform/native_path.h"

namespace gravmark {

namespace fs = std::filesystem;

namespace {

const char* const kSampleLog = "games_mp.log";

// The copy is written aside and renamed, so a full disk leaves no half sample log.
void copySampleLog(const std::string& from, const std::string& to) {
    std::error_code error;
    const fs::path source = platform::nativePath(from);
    if (!fs::is_regular_file(source, error)) return;
    const fs::path part = platform::nativePath(to + ".part");
    if (fs::copy_file(source, part, fs::copy_options::overwrite_existing, error))
        fs::rename(part, platform::nativePath(to), error);
    if (error) fs::remove(part, error);
}

}  // namespace

bool isPortableFolder(const std::string& folder) {
    std::error_code error;
    return fs::exists(platform::nativePath(folder + kPortableMarker), error) ||
           fs::exists(platform::nativePath(folder + "GravmarkParser.INI"), error);
}

std::string sharedDataFolder(const std::string& executableFolder) {
    return executableFolder + "../share/gravmark-parser/";
}

std::string chooseProgramFolder(const std::string& executableFolder, const std::string& userDataFolder) {
    if (isPortableFolder(executableFolder)) return executableFolder;
    std::error_code error;
    if (fs::is_directory(platform::nativePath(userDataFolder), error)) return userDataFolder;
    fs::create_directories(platform::nativePath(userDataFolder), error);
    if (error) throw Error("Unable to create the folder " + userDataFolder + ": " + error.message());
    copySampleLog(sharedDataFolder(executableFolder) + kSampleLog, userDataFolder + kSampleLog);
    return userDataFolder;
}

std::string standardProgramFolder() {
    const std::string executable = executableFolder();
    if (isPortableFolder(executable)) return executable;
    if (qEnvironmentVariableIsEmpty("HOME") && !QDir::isAbsolutePath(qEnvironmentVariable("XDG_DATA_HOME")))
        throw NoHomeFolder();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return chooseProgramFolder(executable, data.toStdString() + "/gravmark-parser/");
}

}  // namespace gravmark
