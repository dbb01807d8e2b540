#include "site/code_page.h"

#include <QString>
#include <array>
#include <cstdint>

#include "site/code_page_tables.h"

namespace gravmark {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct NamedPage {
    const char* name;
    CodePage page;
};
constexpr std::array<NamedPage, 7> kNames = {{{"windows-1250", CodePage::Windows1250},
                                              {"windows-1251", CodePage::Windows1251},
                                              {"windows-1252", CodePage::Windows1252},
                                              {"iso-8859-1", CodePage::Iso8859_1},
                                              {"iso-8859-2", CodePage::Iso8859_2},
                                              {"utf-8", CodePage::Utf8},
                                              {"auto", CodePage::Auto}}};

bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

void append(std::string& out, char32_t c) {
    if (isControl(c)) c = kReplacement;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The length of the valid UTF-8 sequence at `at` with its code point; 0 when it is not one.
size_t validSequence(std::string_view bytes, size_t at, char32_t& point) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) return point = lead, 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, least = 0x80, point = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, least = 0x800, point = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, least = 0x10000, point = lead & 0x07;
    else
        return 0;
    if (at + length > bytes.size()) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        point = point << 6 | (byte(i) & 0x3F);
    }
    // Overlong forms, surrogates and points beyond Unicode are not characters.
    if (point < least || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF) return 0;
    return length;
}

bool isValidUtf8(std::string_view bytes) {
    char32_t ignored = 0;
    for (size_t at = 0; at < bytes.size();) {
        const size_t length = validSequence(bytes, at, ignored);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::string fromUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size();) {
        char32_t point = kReplacement;
        const size_t length = validSequence(bytes, at, point);
        append(out, length == 0 ? kReplacement : point);
        at += length == 0 ? 1 : length;
    }
    return out;
}

const UpperHalf* tableOf(CodePage page) {
    switch (page) {
        case CodePage::Windows1250:
            return &kWindows1250;
        case CodePage::Windows1251:
            return &kWindows1251;
        case CodePage::Iso8859_2:
            return &kIso8859_2;
        case CodePage::Iso8859_1:
            return nullptr;
        default:
            return &kWindows1252;
    }
}

std::string fromEightBit(std::string_view bytes, const UpperHalf* upper) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        append(out, byte < 0x80 || !upper ? char32_t(byte) : char32_t((*upper)[byte - 0x80]));
    }
    return out;
}

}  // namespace

std::optional<CodePage> codePageNamed(std::string_view name) {
    const QString wanted = QString::fromLatin1(name.data(), qsizetype(name.size()));
    for (const NamedPage& named : kNames) {
        if (wanted.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0) return named.page;
    }
    return std::nullopt;
}

std::string toUtf8(std::string_view bytes, CodePage page) {
    if (page == CodePage::Utf8 || (page == CodePage::Auto && isValidUtf8(bytes))) return fromUtf8(bytes);
    return fromEightBit(bytes, tableOf(page));
}

}  // namespace gravmark
