#include "batch/status_file.h"

#include <filesystem>

#include "batch/watched_server.h"
#include "common/error.h"
#include "common/text_box_lines.h"
#include "platform/native_path.h"
#include "report/write_page.h"

namespace gravmark {

void StatusFile::update(const std::string& page, const QDateTime& lastPage, const std::string& fetchResult,
                        int64_t games) {
    const std::string line = "last page " + (lastPage.isValid() ? timeText(lastPage) : std::string("none")) +
                             "; last fetch: " + fetchResult + "; games seen: " + std::to_string(games);
    const std::string path =
        platform::pathBytes(platform::nativePath(page).parent_path() / "gravmark-status.txt");
    if (path + line == written_) return;
    TextBoxLines text;
    text.addLine(line);
    try {
        writePage(text, path);
        written_ = path + line;
    } catch (const Error&) {
        written_.clear();
    }
}

}  // namespace gravmark
