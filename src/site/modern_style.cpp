#include "site/modern_style.h"

#include <QLocale>
#include <QString>

#include "report/html_escape.h"

namespace gravmark {

const ColourScheme kLightScheme = {
    {"#ffffff", "#f3f4f6", "#e8eaee"},
    "#1a1a1a",
    "#4f5561",
    "#0b57d0",
    "#c9ced6",
    {"#595959", "#c00000", "#1a6e1a", "#7a6000", "#0040d0", "#00688f", "#b0206f", "#1a1a1a", "#1a237e",
     "#8b0000"},
};

const ColourScheme kDarkScheme = {
    {"#15171a", "#1f2227", "#262a30"},
    "#e8e8e8",
    "#a9b0bb",
    "#8ab4f8",
    "#3a3f47",
    {"#a8a8a8", "#ff6b6b", "#5fd35f", "#ffd84d", "#7aa2ff", "#6fd3ff", "#ff8fd0", "#e8e8e8", "#9fa8ff",
     "#ff8a80"},
};

namespace {

std::string variables(const ColourScheme& scheme) {
    std::string css = std::string("  --page: ") + scheme.backgrounds[0] +
                      ";\n  --stripe: " + scheme.backgrounds[1] + ";\n  --head: " + scheme.backgrounds[2] +
                      ";\n  --text: " + scheme.text + ";\n  --muted: " + scheme.muted +
                      ";\n  --link: " + scheme.link + ";\n  --border: " + scheme.border + ";\n";
    for (size_t code = 0; code < scheme.names.size(); ++code)
        css += "  --c" + std::to_string(code) + ": " + scheme.names[code] + ";\n";
    return css;
}

constexpr std::string_view kRules = R"(* { box-sizing: border-box; }
html { color-scheme: light dark; -webkit-text-size-adjust: 100%; }
body { margin: 0 auto; padding: 1rem; max-width: 72rem; background: var(--page); color: var(--text);
  font: 16px/1.5 system-ui, -apple-system, "Segoe UI", Roboto, "Noto Sans", sans-serif; overflow-wrap: anywhere; }
a { color: var(--link); }
h1 { font-size: 1.6rem; margin: 0.5rem 0; }
h2 { font-size: 1.2rem; margin: 1.5rem 0 0.5rem; }
.updated, caption, .note { color: var(--muted); }
nav ul { list-style: none; display: flex; flex-wrap: wrap; gap: 0.5rem 1.25rem; padding: 0; margin: 0.5rem 0; }
.medals { list-style: none; display: flex; flex-wrap: wrap; gap: 1rem; padding: 0; margin: 1rem 0; }
.medals li { display: flex; flex-direction: column; align-items: center; text-align: center; width: 8.5rem; }
.medals img { max-width: 4rem; height: auto; }
.medal { font-weight: 600; font-size: 0.9rem; }
.scroll { overflow-x: auto; max-width: 100%; margin: 0.5rem 0 1rem; border: 1px solid var(--border); border-radius: 6px; }
table { border-collapse: collapse; width: 100%; }
caption { caption-side: top; text-align: left; padding: 0.5rem 0.75rem; }
th, td { padding: 0.35rem 0.75rem; border-top: 1px solid var(--border); text-align: left; white-space: nowrap; }
thead th { background: var(--head); }
tbody tr:nth-child(even) { background: var(--stripe); }
tbody th { font-weight: 600; }
.num { text-align: right; font-variant-numeric: tabular-nums; }
)";

}  // namespace

std::string styleSheetText() {
    std::string css =
        "/* Gravmark Parser: the modern page style. Edit freely: this file is never overwritten. */\n";
    css += ":root {\n" + variables(kLightScheme) + "}\n";
    css += "@media (prefers-color-scheme: dark) {\n:root {\n" + variables(kDarkScheme) + "}\n}\n";
    css += kRules;
    for (size_t code = 0; code < kLightScheme.names.size(); ++code)
        css += ".c" + std::to_string(code) + " { color: var(--c" + std::to_string(code) + "); }\n";
    return css;
}

std::string modernText(std::string_view text, CodePage codePage) {
    return htmlEscape(toUtf8(text, codePage));
}

std::string modernName(std::string_view name, CodePage codePage) {
    std::string shown;
    bool open = false;
    size_t from = 0;
    const auto flush = [&](size_t to) { shown += modernText(name.substr(from, to - from), codePage); };
    for (size_t at = 0; at + 1 < name.size(); ++at) {
        if (name[at] != '^' || name[at + 1] < '0' || name[at + 1] > '9') continue;
        flush(at);
        if (open) shown += "</span>";
        shown += "<span class=\"c" + std::string(1, name[at + 1]) + "\">";
        open = true;
        from = at + 2;
        ++at;
    }
    flush(name.size());
    if (open) shown += "</span>";
    return shown;
}

std::string localeNumber(int32_t number) { return QLocale().toString(number).toUtf8().toStdString(); }

std::string localeDecimal(double number) { return QLocale().toString(number, 'f', 2).toUtf8().toStdString(); }

namespace {

bool endsWithBreak(const std::string& text) { return text.ends_with("\r\n"); }

}  // namespace

PageFrame modernFrame(const PageFrame& templates, std::string_view title, std::string_view up) {
    PageFrame frame;
    frame.head =
        "<!doctype html>\r\n<html lang=\"en\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n<title>" +
        std::string(title) + "</title>\r\n<link rel=\"stylesheet\" href=\"" + std::string(up) +
        std::string(kStyleSheet) + "\">\r\n</head>\r\n<body>\r\n" + templates.head;
    frame.foot = templates.foot;
    if (!frame.foot.empty() && !endsWithBreak(frame.foot)) frame.foot += "\r\n";
    frame.foot += "</body>\r\n</html>";
    return frame;
}

}  // namespace gravmark
