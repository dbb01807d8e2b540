#include "site/player_file_names.h"

#include <cstdio>
#include <unordered_map>

namespace gravmark {

namespace {

constexpr size_t kMostNameCharacters = 40;
constexpr std::string_view kExtension = ".html";

bool isAsciiLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::string stemOf(std::string_view name) {
    std::string stem;
    for (const char c : name) {
        if (stem.size() == kMostNameCharacters) break;
        if (isAsciiLetterOrDigit(c)) stem += c;
    }
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(fnv1a64(name)));
    if (!stem.empty()) stem += '-';
    return stem + hash;
}

}  // namespace

uint64_t fnv1a64(std::string_view bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string playerFileName(std::string_view name) { return stemOf(name) + std::string(kExtension); }

std::vector<std::string> uniquePlayerFileNames(const std::vector<std::string>& names) {
    std::vector<std::string> files;
    files.reserve(names.size());
    // A suffixed name cannot equal a plain one (the hash part has no dash after it), so
    // counting per stem is enough.
    std::unordered_map<std::string, int> used;
    for (const std::string& name : names) {
        std::string stem = stemOf(name);
        const int seen = ++used[stem];
        if (seen > 1) stem += '-' + std::to_string(seen);
        files.push_back(stem + std::string(kExtension));
    }
    return files;
}

}  // namespace gravmark
