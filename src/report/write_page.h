#pragma once
// Writing the finished page to its file.
#include <string>

namespace gravmark {

class TextBoxLines;

// Writes the box's text byte for byte (CR LF breaks, no byte-order mark) to a temporary
// file in the target's folder, flushes it to disk and renames it over the target, so a
// failed write leaves an earlier page untouched and no temporary file behind. A new page
// gets mode 0644; a replaced one keeps its mode. The target is replaced by its name: a
// symbolic link there gives way to the page and its target is never written. Only when the folder takes no
// new files but the page itself may be written is the page rewritten in place. Failure:
// gravmark::Error("Cannot create file \"<full path>\". <system reason>").
void writePage(const TextBoxLines& page, const std::string& target);

}  // namespace gravmark
