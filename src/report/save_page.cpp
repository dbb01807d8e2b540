#include "report/save_page.h"

#include <filesystem>

#include "common/dialogs.h"
#include "common/program_folder.h"
#include "common/text_box_lines.h"
#include "platform/native_path.h"
#include "report/credit_line.h"
#include "report/medal_pictures.h"
#include "report/site_change.h"
#include "report/write_page.h"

namespace gravmark {

namespace {

void finishPage(TextBoxLines& page, TextBoxLines& foot, const std::string& productVersion,
                const PageExtras& extras) {
    foot.insertFirstLine(extras.creditLine ? extras.creditLine(productVersion) : creditLine(productVersion));
    for (size_t i = 0; i < foot.lineCount(); ++i) page.addLine(foot.line(i));
}

// The page names its medal pictures by bare file name: they go beside it, and so do the
// staged files, which take their places with the page.
void writePageAndPictures(const TextBoxLines& page, const std::string& target, const PageExtras& extras) {
    const std::filesystem::path path = platform::nativePath(target);
    if (extras.stageBesidePage) {
        SiteChange change(platform::pathBytes(path.parent_path()), target);
        extras.stageBesidePage(change, target);
        change.addFile(platform::pathBytes(path.filename()), page.text());
        change.commit();
    } else {
        writePage(page, target);
    }
    addMissingMedalPictures(platform::pathBytes(path.parent_path()));
}

}  // namespace

SaveOutcome savePage(TextBoxLines& page, TextBoxLines& foot, bool& pageFinished, bool defaultSave,
                     const std::string& defaultFolder, const std::string& productVersion,
                     const PageExtras& extras) {
    if (!pageFinished) {
        finishPage(page, foot, productVersion, extras);
        pageFinished = true;
    }
    if (defaultSave) {
        writePageAndPictures(page, defaultPageFile(defaultFolder), extras);
        dialogs().showMessage("Results saved on server.");
        return SaveOutcome::SavedToDefaultFolder;
    }
    const std::optional<std::string> name = dialogs().askSaveFileName();
    if (!name) return SaveOutcome::Cancelled;
    writePageAndPictures(page, *name, extras);
    dialogs().showMessage("Results saved as " + *name);
    return SaveOutcome::SavedThroughDialog;
}

std::string defaultPageFile(const std::string& defaultFolder) {
    return inProgramFolder(defaultFolder) + "/index.html";
}

}  // namespace gravmark
