#pragma once
// SAVE: finishes the page once per report and writes it to the default folder or to a
// name chosen in the save dialog. Button states are the window's business.
#include <functional>
#include <string>

namespace gravmark {

class TextBoxLines;

enum class SaveOutcome { SavedToDefaultFolder, SavedThroughDialog, Cancelled };

// Files that go beside the page (the player pages), written once the target is known and
// before the page itself, so that the page's links resolve as soon as it is there.
using WriteBesidePage = std::function<void(const std::string& pageTarget)>;

// While pageFinished is false: the credit line goes in front of memo2, memo2's lines
// are appended to memo1 (each as line(i) gives it), and pageFinished becomes true.
// With defaultSave the target is defaultPageFile(defaultFolder); otherwise the save dialog
// asks for it. The medal pictures missing beside the page are added. A write failure
// throws gravmark::Error and shows nothing.
SaveOutcome savePage(TextBoxLines& memo1, TextBoxLines& memo2, bool& pageFinished, bool defaultSave,
                     const std::string& defaultFolder, const std::string& productVersion,
                     const WriteBesidePage& besidePage = {});

// "index.html" in the default save folder; a relative folder is taken from the program folder.
std::string defaultPageFile(const std::string& defaultFolder);

}  // namespace gravmark
