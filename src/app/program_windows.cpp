#include "app/program_windows.h"

namespace gravmark {

ProgramWindows::ProgramWindows(VersionInfo versionInfo)
    : Form1(std::move(versionInfo)), Form2(Form1.db), Form3(Form1) {
    Form1.setWindows(&Form2, &Form3);
}

}  // namespace gravmark
