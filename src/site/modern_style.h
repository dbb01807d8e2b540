#pragma once
// The look of the modern pages: the colours of the light and the dark scheme, the one
// style sheet built from them, and the pieces of HTML every modern page shares. Every
// text colour of a scheme reads at 4.5:1 or better against each of its backgrounds.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "site/code_page.h"
#include "site/page_text.h"

namespace gravmark {

inline constexpr std::string_view kStyleSheet = "gravmark.css";

struct ColourScheme {
    std::array<const char*, 3> backgrounds;  // the page, striped rows, table headers
    const char* text;
    const char* muted;  // captions, the update line
    const char* link;
    const char* border;
    // The ten colour codes ^0 .. ^9 of the names, in their order (gray, red, green, yellow,
    // blue, light blue, pink, black, dark blue, dark red), "black" being the text colour.
    std::array<const char*, 10> names;
};

extern const ColourScheme kLightScheme;
extern const ColourScheme kDarkScheme;

// The text of gravmark.css: both schemes (the dark one by prefers-color-scheme), tables
// that scroll in their own box, numbers right-aligned.
std::string styleSheetText();

// A name as the page shows it: converted to UTF-8 from the log's code page, escaped, each
// colour code switching to its colour (class "c0" .. "c9") until the next code.
std::string modernName(std::string_view name, CodePage codePage);
// Log text (a map, an id) in UTF-8, escaped.
std::string modernText(std::string_view text, CodePage codePage);

// Numbers in the user's locale, in UTF-8: whole numbers grouped, fractions with two decimals.
std::string localeNumber(int32_t number);
std::string localeDecimal(double number);

// The frame of a modern page: the HTML5 head (`title` as UTF-8 text, the style sheet from
// `up`, "" or "../"), "<body>", then head.txt; after the content foot.txt, "</body>" and
// "</html>". The templates are copied in as they are.
PageFrame modernFrame(const PageFrame& templates, std::string_view title, std::string_view up);

}  // namespace gravmark
