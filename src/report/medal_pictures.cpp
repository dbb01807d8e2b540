#include "report/medal_pictures.h"

#include <QDir>
#include <QFile>

#include "common/file_names.h"
#include "platform/file_access.h"
#include "platform/file_replace.h"

// The resource lives in a static library: nothing would pull it into a program unless it
// is initialised by name, which must happen outside any namespace.
static void initMedalResource() { Q_INIT_RESOURCE(medal_pictures); }

namespace gravmark {

namespace {

const QString kResourceFolder = QStringLiteral(":/medals");

// Written to a temporary file first and then linked under its name, which fails when an
// entry of that name exists: so nothing is overwritten, even by a race.
void addPicture(const std::string& folder, const QString& name) {
    QFile resource(kResourceFolder + '/' + name);
    if (!resource.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = resource.readAll();
    std::string temporary = folder + "/.medal.XXXXXX";
    const int fd = platform::createTemporaryFile(temporary);
    if (fd < 0) return;
    const bool written = platform::writeAll(fd, bytes.constData(), static_cast<size_t>(bytes.size())) &&
                         platform::setPageMode(fd, "") == 0;
    if (platform::closeFile(fd) == 0 && written)
        platform::addName(temporary, folder + '/' + fileSystemName(name));
    platform::removeFile(temporary);
}

}  // namespace

void addMissingMedalPictures(const std::string& folder) {
    initMedalResource();
    const std::string into = folder.empty() ? std::string(".") : folder;
    for (const QString& name : QDir(kResourceFolder).entryList(QDir::Files)) {
        if (!platform::fileExists(into + '/' + fileSystemName(name))) addPicture(into, name);
    }
}

}  // namespace gravmark
