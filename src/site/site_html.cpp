#include "site/site_html.h"

#include <QLocale>
#include <cstdio>

#include "report/html_escape.h"
#include "report/player_row_html.h"

namespace gravmark {

namespace {

size_t occurrences(std::string_view text, std::string_view part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

bool isUnreserved(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string shownName(std::string_view name) {
    // The escaped name holds no "<", so every "<font" in the result is a colour tag.
    std::string shown = pageName(name);
    const size_t opened = occurrences(shown, "<font");
    for (size_t i = 0; i < opened; ++i) shown += "</font>";
    return shown;
}

std::string shownValue(std::string_view value) { return value.empty() ? "(none)" : htmlEscape(value); }

std::string shareText(int32_t part, int32_t whole) {
    const double percent = whole > 0 ? 100.0 * part / whole : 0.0;
    return QLocale().toString(percent, 'f', 1).toLatin1().toStdString() + "%";
}

std::string addressOf(std::string_view fileName) {
    std::string address;
    for (const char c : fileName) {
        const auto byte = static_cast<unsigned char>(c);
        if (isUnreserved(byte)) {
            address += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            address += escaped;
        }
    }
    return address;
}

std::string link(std::string_view address, std::string_view text) {
    return "<a href=\"" + std::string(address) + "\">" + std::string(text) + "</a>";
}

std::string cell(std::string_view html) { return "<td>" + std::string(html) + "</td>"; }

std::string cell(int32_t number) { return cell(std::to_string(number)); }

std::string headerRow(std::initializer_list<const char*> captions) {
    std::string row = std::string(kTableStart) + "<TR>";
    for (const char* caption : captions) row += "<td><b>" + std::string(caption) + "</b></td>";
    return row + "</TR>";
}

std::string heading(std::string_view caption) {
    return "<p align=center><b>" + std::string(caption) + "</b></p>";
}

}  // namespace gravmark
