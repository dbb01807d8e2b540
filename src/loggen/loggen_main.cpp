// gravmark-loggen --lines N [--seed S] [--players P] --out FILE
// gravmark-loggen --sample --out FILE
// Writes a synthetic game-server log of N lines, or the sample log shipped with the program.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "loggen/log_generator.h"

namespace {

int usage() {
    std::fputs("usage: gravmark-loggen --lines N [--seed S] [--players P] --out FILE\n"
               "       gravmark-loggen --sample --out FILE\n",
               stderr);
    return 2;
}

bool parseNumber(const char* text, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0' && value >= 0;
}

}  // namespace

int main(int argc, char** argv) {
    gravmark::loggen::LogShape shape;
    std::string out;
    bool haveLines = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--sample") {
            shape = gravmark::loggen::kSampleLogShape;
            haveLines = true;
            continue;
        }
        if (i + 1 >= argc) return usage();
        const char* value = argv[++i];
        long long number = 0;
        if (option == "--out") {
            out = value;
        } else if (!parseNumber(value, number)) {
            return usage();
        } else if (option == "--lines") {
            shape.lines = number;
            haveLines = true;
        } else if (option == "--seed") {
            shape.seed = static_cast<unsigned long long>(number);
        } else if (option == "--players") {
            shape.players = static_cast<int>(number);
        } else {
            return usage();
        }
    }
    if (!haveLines || out.empty()) return usage();
    try {
        gravmark::loggen::writeLog(shape, out);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gravmark-loggen: %s\n", e.what());
        return 1;
    }
    return 0;
}
