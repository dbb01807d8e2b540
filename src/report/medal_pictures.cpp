#include "report/medal_pictures.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdlib>

#include "common/file_names.h"

// The resource lives in a static library: nothing would pull it into a program unless it
// is initialised by name, which must happen outside any namespace.
static void initMedalResource() { Q_INIT_RESOURCE(medal_pictures); }

namespace gravmark {

namespace {

const QString kResourceFolder = QStringLiteral(":/medals");

bool writeAll(int fd, const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += written;
    }
    return true;
}

// Written to a temporary file first and then linked under its name, which fails when an
// entry of that name exists: so nothing is overwritten, even by a race.
void addPicture(const std::string& folder, const QString& name) {
    QFile resource(kResourceFolder + '/' + name);
    if (!resource.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = resource.readAll();
    std::string temporary = folder + "/.medal.XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return;
    const bool written = writeAll(fd, bytes) && ::fchmod(fd, 0644) == 0;
    if (::close(fd) == 0 && written) ::link(temporary.c_str(), (folder + '/' + fileSystemName(name)).c_str());
    ::unlink(temporary.c_str());
}

}  // namespace

void addMissingMedalPictures(const std::string& folder) {
    initMedalResource();
    const std::string into = folder.empty() ? std::string(".") : folder;
    for (const QString& name : QDir(kResourceFolder).entryList(QDir::Files)) {
        if (::access((into + '/' + fileSystemName(name)).c_str(), F_OK) != 0) addPicture(into, name);
    }
}

}  // namespace gravmark
