#pragma once
// Which folder the program works in, by the layout it is installed in.
//
// A portable folder is its own program folder: the build's output folders and the folder
// `cmake --install` makes hold the marker file kPortableMarker, and a folder where the user
// put GravmarkParser.INI beside the executable counts as portable too. Otherwise, as for
// the package's /usr/bin, every user works in their own data folder, made on first start
// with the shipped sample log copied in. Whether a folder is writable decides nothing:
// root can write /usr/bin, and a shared folder one user can write still belongs to all.
#include <string>

#include "common/error.h"

namespace gravmark {

inline constexpr const char* kPortableMarker = "GravmarkParser.portable";

bool isPortableFolder(const std::string& folder);

// Shared data (medal pictures, the sample log) of an installed layout: found relative to
// the executable, so the package works wherever it is unpacked.
std::string sharedDataFolder(const std::string& executableFolder);

// The program folder for an executable in executableFolder: that folder when portable,
// else userDataFolder, created when missing with the sample log copied from the shared
// data. Both folders end in '/'. Throws gravmark::Error when the folder cannot be made.
std::string chooseProgramFolder(const std::string& executableFolder, const std::string& userDataFolder);

// Without HOME (and without an absolute XDG_DATA_HOME) there is no data folder: Qt would
// take the root folder's .local/share, which belongs to nobody.
class NoHomeFolder : public Error {
public:
    NoHomeFolder() : Error("HOME is not set") {}
};

// The choice for this process: its executable's folder, and the user's data folder
// ($XDG_DATA_HOME/gravmark-parser, normally ~/.local/share/gravmark-parser). Throws
// NoHomeFolder when it needs the data folder and there is none.
std::string standardProgramFolder();

}  // namespace gravmark
