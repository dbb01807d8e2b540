#include "report/update_time.h"

#include <QLocale>

namespace gravmark {

QString updateTime(const QDateTime& updated) {
    const QLocale locale;
    QString text = locale.toString(updated.date(), QLocale::ShortFormat);
    const QTime time = updated.time();
    if (time.hour() != 0 || time.minute() != 0 || time.second() != 0) {
        // Formatting the date-time (not the bare time) lets a zone in the format name
        // the zone of this time.
        text += ' ' + locale.toString(updated, locale.timeFormat(QLocale::LongFormat));
    }
    return text;
}

}  // namespace gravmark
