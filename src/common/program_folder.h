#pragma once
// The program folder, ending in a path separator. Every file of the system except the
// report target lives there. It starts as the executable's folder; the programs choose it
// by their layout at start (common/program_layout.h), the batch command's --folder and
// the tests point it elsewhere.
#include <string>

namespace gravmark {

std::string programFolder();
std::string executableFolder();  // the folder of this process's executable file, with '/'
void setProgramFolder(const std::string& folder);  // a trailing '/' is added when missing

// An absolute path as it stands; a relative one is taken from the program folder, not from
// the current folder (which for a scheduled run is anywhere, often "/").
std::string inProgramFolder(const std::string& path);

}  // namespace gravmark
