#pragma once
// The program folder: the folder of the program's executable file, ending in a path
// separator. Every file of the system except the report target lives there.
// Tests and the batch command's --folder point it elsewhere.
#include <string>

namespace gravmark {

std::string programFolder();
void setProgramFolder(const std::string& folder);  // a trailing '/' is added when missing

// An absolute path as it stands; a relative one is taken from the program folder, not from
// the current folder (which for a scheduled run is anywhere, often "/").
std::string inProgramFolder(const std::string& path);

}  // namespace gravmark
