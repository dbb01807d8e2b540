#pragma once
// The sample log that comes with the program is there so that the window's first start
// shows a page. A scheduled batch run that found it in the program folder would publish
// made-up players as the clan's, so the batch recognises it and stops.
#include <string>

namespace gravmark {

// Whether the file at path holds exactly the shipped sample log (a missing file does not).
bool isShippedSampleLog(const std::string& path);

// Throws gravmark::Error, telling what to do instead, when folder's games_mp.log is the
// shipped sample log.
void refuseShippedSampleLog(const std::string& folder);

}  // namespace gravmark
