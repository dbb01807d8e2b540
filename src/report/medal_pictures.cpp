#include "report/medal_pictures.h"

#include <QDir>
#include <QFile>

#include "common/file_names.h"
#include "report/missing_file.h"

// The resource lives in a static library: nothing would pull it into a program unless it
// is initialised by name, which must happen outside any namespace.
static void initMedalResource() { Q_INIT_RESOURCE(medal_pictures); }

namespace gravmark {

namespace {

const QString kResourceFolder = QStringLiteral(":/medals");

}  // namespace

void addMissingMedalPictures(const std::string& folder) {
    initMedalResource();
    for (const QString& name : QDir(kResourceFolder).entryList(QDir::Files)) {
        QFile resource(kResourceFolder + '/' + name);
        if (!resource.open(QIODevice::ReadOnly)) continue;
        const QByteArray bytes = resource.readAll();
        addMissingFile(folder, fileSystemName(name),
                       std::string_view(bytes.constData(), size_t(bytes.size())));
    }
}

}  // namespace gravmark
