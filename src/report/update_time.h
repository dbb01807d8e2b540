#pragma once
// The "Updated @" time of a page.
#include <QDateTime>
#include <QString>

namespace gravmark {

// The date in the user's short format, then, unless the time is exactly midnight, a blank
// and the time in the user's long format.
QString updateTime(const QDateTime& updated);

}  // namespace gravmark
