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

// The main page: memo1 the document up to the end of its content, memo2 the foot template
// and the document's end, so that SAVE's credit line comes between them. Rows link to the
// player pages when they are on.
void buildModernPage(const PageInputs& inputs, const ModernSite& modern, TextBoxLines& memo1,
                     TextBoxLines& memo2);

// The credit line of a modern main page.
std::string modernCreditLine(const std::string& productVersion);

// `templates` as readPageFrame gives them; `mainPage` the file name the main page was saved as.
std::string modernPlayerPage(const ModernSite& modern, size_t player, const PageFrame& templates,
                             std::string_view mainPage);
std::string modernWeaponsPage(const ModernSite& modern, const PageFrame& templates,
                              std::string_view mainPage);
std::string modernMapsPage(const ModernSite& modern, const PageFrame& templates, std::string_view mainPage);

}  // namespace gravmark
