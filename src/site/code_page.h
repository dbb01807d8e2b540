#pragma once
// Names and other log text into UTF-8, from the code page the server wrote its log in, for
// the modern pages and the export (the classic page and the work files keep the bytes).
#include <optional>
#include <string>
#include <string_view>

namespace gravmark {

enum class CodePage { Windows1250, Windows1251, Windows1252, Iso8859_1, Iso8859_2, Utf8, Auto };

// "windows-1250", "windows-1251", "windows-1252", "iso-8859-1", "iso-8859-2", "utf-8",
// "auto", case ignored; nothing for another name.
std::optional<CodePage> codePageNamed(std::string_view name);

// The text in UTF-8. Utf8: valid sequences as they are, every byte of an invalid one as
// U+FFFD. Auto: as Utf8 when the whole text is valid UTF-8, else as Windows1252. A byte the
// code page leaves undefined becomes U+FFFD, and so do the control characters (below
// U+0020, and U+007F to U+009F), which no page may hold.
std::string toUtf8(std::string_view bytes, CodePage page);

}  // namespace gravmark
