#pragma once
// The program's three windows, created in their order: the main window Form1, the merge
// window Form2 and the settings window Form3 (whose creation reads the settings file and
// adjusts two controls of Form1). Only Form1 is meant to be shown at start.
#include "app/tform1.h"
#include "merge/ui/tform2.h"
#include "settings/ui/tform3.h"

namespace gravmark {

struct ProgramWindows {
    explicit ProgramWindows(VersionInfo versionInfo = VersionInfo());

    TForm1 Form1;
    TForm2 Form2;
    TForm3 Form3;
};

}  // namespace gravmark
