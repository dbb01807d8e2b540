#include "batch/batch_options.h"

#include "common/error.h"

namespace gravmark {

const char* const kBatchUsage =
    "Usage: gravmark-batch [--folder DIR] [--out FILE] [--now TIME] [--quiet]\n"
    "  or:  gravmark-batch --fetch [--trust SHA256:...] [OPTION]...\n"
    "  or:  gravmark-batch --watch [SECONDS] [--server NAME=FOLDER]... [OPTION]...\n"
    "  or:  gravmark-batch --help\n"
    "\n"
    "Builds the statistics page from games_mp.log without any window, the same page as the\n"
    "desktop program's ALL and SAVE write: LOAD, PARSE, HTML and SAVE. The medals shown and\n"
    "the FTP account come from the settings file. A missing log, or the sample log that comes\n"
    "with the program, is an error: no page is written.\n"
    "\n"
    "  --folder DIR   work in DIR: games_mp.log, head.txt, foot.txt and GravmarkParser.INI are\n"
    "                 there (default: this program's folder when it is a portable one, else your\n"
    "                 data folder ~/.local/share/gravmark-parser); no work files are written\n"
    "                 (lijst.xml and temp.xml are the desktop program's)\n"
    "  --fetch        first fetch the log from the FTP account of the settings file, continuing\n"
    "                 the local copy, as \"get log ftp server\" does\n"
    "  --trust SHA256:...\n"
    "                 accept the server whose fingerprint this is when its certificate cannot be\n"
    "                 verified; it is kept in the settings file for later fetches. Under SFTP:\n"
    "                 accept the host key with this fingerprint; it is added to known_hosts\n"
    "  --out FILE     write the page to FILE (default: the settings' save folder + /index.html)\n"
    "  --now TIME     print TIME, a local time \"YYYY-MM-DD HH:MM:SS\", as the update time on\n"
    "                 the page instead of the current time\n"
    "  --quiet        print errors only (no messages, warnings or progress bar)\n"
    "  --watch [SECONDS]\n"
    "                 keep the page current until SIGTERM or SIGINT: every SECONDS (default 30)\n"
    "                 fetch the log when the settings name a server (else look at the local log),\n"
    "                 read only the lines added since the last look, and write the page again\n"
    "                 when a game has ended; a server that is down, a rotated log, a full disk\n"
    "                 or an unreadable aliases.txt are told once and outlived. Writes\n"
    "                 gravmark-status.txt beside the page (last page, last fetch, games seen)\n"
    "  --server NAME=FOLDER\n"
    "                 one game server's folder (its own settings file, log, kept copies and\n"
    "                 fetch); give it once per server. Writes NAME/index.html per server and,\n"
    "                 as the page, one combined page over all their games; with --watch each\n"
    "                 server is looked at on its own schedule\n"
    "  --help         show this text\n"
    "\n"
    "Exit status: 0 when the page was saved, 1 on any failure (the message is printed),\n"
    "2 for a usage error; --watch exits 0 when SIGTERM or SIGINT stops it, after finishing the\n"
    "page it is writing. Messages go to standard error. Under SFTP a protected key file's\n"
    "passphrase is read from the environment variable GRAVMARK_KEY_PASSPHRASE.\n"
    "\n"
    "Example, a crontab line refreshing the page every hour:\n"
    "  0 * * * *  /opt/gravmark-parser/gravmark-batch --fetch --quiet\n";

namespace {

const std::string& valueOf(const std::vector<std::string>& arguments, size_t& i) {
    if (i + 1 >= arguments.size()) throw Error(arguments[i] + " needs a value");
    return arguments[++i];
}

// A local time; a text of another form, or a time the clocks skip, is refused.
QDateTime localTime(const std::string& text) {
    const QDateTime time =
        QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!time.isValid()) throw Error("--now needs a time as \"YYYY-MM-DD HH:MM:SS\", not \"" + text + "\"");
    return time;
}

// SECONDS after --watch, when the next argument is a number; else the default.
int watchSeconds(const std::vector<std::string>& arguments, size_t& i) {
    if (i + 1 >= arguments.size() || arguments[i + 1].empty() ||
        arguments[i + 1].find_first_not_of("0123456789") != std::string::npos)
        return kDefaultWatchSeconds;
    const std::string& text = arguments[++i];
    if (text.size() > 5 || std::stoi(text) < 1 || std::stoi(text) > 86400)
        throw Error("--watch needs a number of seconds from 1 to 86400, not " + text);
    return std::stoi(text);
}

// NAME=FOLDER; NAME becomes a folder name, so it is letters, digits, "-" and "_" only.
ServerFolder serverFolder(const std::string& text, const std::vector<ServerFolder>& before) {
    const size_t equals = text.find('=');
    const std::string name = text.substr(0, equals);
    if (equals == std::string::npos || name.empty() || equals + 1 == text.size() ||
        name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_") !=
            std::string::npos)
        throw Error("--server needs NAME=FOLDER, NAME of letters, digits, - and _, not \"" + text + "\"");
    for (const ServerFolder& server : before) {
        if (server.name == name) throw Error("--server " + name + " is given twice");
    }
    return {name, text.substr(equals + 1)};
}

}  // namespace

BatchOptions parseBatchOptions(const std::vector<std::string>& arguments) {
    BatchOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--folder")
            options.folder = valueOf(arguments, i);
        else if (argument == "--fetch")
            options.fetch = true;
        else if (argument == "--out")
            options.out = valueOf(arguments, i);
        else if (argument == "--now")
            options.now = localTime(valueOf(arguments, i));
        else if (argument == "--trust")
            options.trust = valueOf(arguments, i);
        else if (argument == "--quiet")
            options.quiet = true;
        else if (argument == "--watch")
            options.watchSeconds = watchSeconds(arguments, i);
        else if (argument == "--server")
            options.servers.push_back(serverFolder(valueOf(arguments, i), options.servers));
        else if (argument == "--help" || argument == "-h")
            options.help = true;
        else
            throw Error("unknown argument: " + argument);
    }
    return options;
}

}  // namespace gravmark
