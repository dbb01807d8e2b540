#include "report/save_page.h"

#include <filesystem>

#include "common/dialogs.h"
#include "common/program_folder.h"
#include "common/text_box_lines.h"
#include "report/credit_line.h"
#include "report/medal_pictures.h"
#include "report/write_page.h"
#include "platform/native_path.h"

namespace gravmark {

namespace {

void finishPage(TextBoxLines& memo1, TextBoxLines& memo2, const std::string& productVersion) {
    memo2.insertFirstLine(creditLine(productVersion));
    for (size_t i = 0; i < memo2.lineCount(); ++i) memo1.addLine(memo2.line(i));
}

// The page names its medal pictures by bare file name: they go beside it, and so do the
// files of besidePage, written first so that the page's links resolve once it is there.
void writePageAndPictures(const TextBoxLines& page, const std::string& target,
                          const WriteBesidePage& besidePage) {
    if (besidePage) besidePage(target);
    writePage(page, target);
    addMissingMedalPictures(platform::pathBytes(platform::nativePath(target).parent_path()));
}

}  // namespace

SaveOutcome savePage(TextBoxLines& memo1, TextBoxLines& memo2, bool& pageFinished, bool defaultSave,
                     const std::string& defaultFolder, const std::string& productVersion,
                     const WriteBesidePage& besidePage) {
    if (!pageFinished) {
        finishPage(memo1, memo2, productVersion);
        pageFinished = true;
    }
    if (defaultSave) {
        writePageAndPictures(memo1, defaultPageFile(defaultFolder), besidePage);
        dialogs().showMessage("Results saved on server.");
        return SaveOutcome::SavedToDefaultFolder;
    }
    const std::optional<std::string> name = dialogs().askSaveFileName();
    if (!name) return SaveOutcome::Cancelled;
    writePageAndPictures(memo1, *name, besidePage);
    dialogs().showMessage("Results saved as " + *name);
    return SaveOutcome::SavedThroughDialog;
}

std::string defaultPageFile(const std::string& defaultFolder) {
    return inProgramFolder(defaultFolder) + "/index.html";
}

}  // namespace gravmark
