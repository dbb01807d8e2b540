#pragma once
// SAVE: finishes the page once per report and writes it to the default folder or to a
// name chosen in the save dialog. Button states are the window's business.
#include <functional>
#include <string>

namespace gravmark {

class TextBoxLines;

enum class SaveOutcome { SavedToDefaultFolder, SavedThroughDialog, Cancelled };

class SiteChange;

// What a run adds to SAVE beyond the page alone; either may be left unset.
struct PageExtras {
    // The credit line of the product version, in place of the classic one.
    std::function<std::string(const std::string& productVersion)> creditLine;
    // Stages the files that go beside the page (player pages, ...) once the target is
    // known; the page is then staged last and all of them take their places together.
    std::function<void(SiteChange& change, const std::string& pageTarget)> stageBesidePage;
};

// While pageFinished is false: the credit line goes in front of foot, foot's lines
// are appended to page (each as line(i) gives it), and pageFinished becomes true.
// With defaultSave the target is defaultPageFile(defaultFolder); otherwise the save dialog
// asks for it. With extras.stageBesidePage the page and those files replace the old ones
// as one (SiteChange): a failure leaves every old file as it was. The medal pictures
// missing beside the page are added. A write failure throws gravmark::Error and shows nothing.
SaveOutcome savePage(TextBoxLines& page, TextBoxLines& foot, bool& pageFinished, bool defaultSave,
                     const std::string& defaultFolder, const std::string& productVersion,
                     const PageExtras& extras = {});

// "index.html" in the default save folder; a relative folder is taken from the program folder.
std::string defaultPageFile(const std::string& defaultFolder);

}  // namespace gravmark
