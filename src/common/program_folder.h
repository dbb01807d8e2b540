#pragma once
// The program folder: the folder of the program's executable file, ending in a path
// separator. Every file of the system except the report target lives there.
// Tests and the batch command's --folder point it elsewhere.
#include <string>

namespace gravmark {

std::string programFolder();
void setProgramFolder(const std::string& folder);  // a trailing '/' is added when missing

}  // namespace gravmark
