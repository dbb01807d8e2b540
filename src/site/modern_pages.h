#pragma once
// The pages of the modern style: the main page (into the text boxes, as the HTML step
// leaves the classic one), a player's page, weapons.html and maps.html. HTML5 in UTF-8,
// complete without scripts, framed by head.txt and foot.txt.
#include <string>
#include <string_view>

#include "report/page_inputs.h"
#include "site/page_text.h"
#include "site/site_options.h"

namespace gravmark {

class TextBoxLines;

// The main page: `page` the document up to the end of its content (Memo1 shows it), `foot`
// the foot template and the document's end (Memo2), so that SAVE's credit line comes
// between them. Rows link to the player pages when they are on.
void buildModernPage(const PageInputs& inputs, const ModernSite& modern, TextBoxLines& page,
                     TextBoxLines& foot);

// The credit line of a modern main page.
std::string modernCreditLine(const std::string& productVersion);

// `templates` as readPageFrame gives them; `mainPage` the file name the main page was saved as.
std::string modernPlayerPage(const ModernSite& modern, size_t player, const PageFrame& templates,
                             std::string_view mainPage);
std::string modernWeaponsPage(const ModernSite& modern, const PageFrame& templates,
                              std::string_view mainPage);
std::string modernMapsPage(const ModernSite& modern, const PageFrame& templates, std::string_view mainPage);

}  // namespace gravmark
