#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace base {
class Run;
}

namespace sched {

// A printed list: a title, an optional subtitle, column headings and rows of text.
struct ReportTable {
    QString title;
    QString subtitle;
    QString meeting; // the meeting's description, printed under the title
    QStringList headers;
    QList<QStringList> rows;
    bool landscape = false;
};

// One row of T_SCHED_CLASH with the names the reports show.
struct ClashLine {
    qint64 athleteNo = 0;
    QString athlete; // "SURNAME, First (Team)"
    QString station; // "Track", "JMPLong___, A"
    qint64 programNo1 = 0;
    qint64 programNo2 = 0;
    QString item1; // "Day 1 10:05  100m Freestyle 13 Male - Final"
    QString item2;
    double desiredMinutes = 0;
    double actualMinutes = 0;
    double factor = 0;
};

enum class ClashKind { Athletes, Stations };

// The result of the last check, worst first (lowest factor).
QList<ClashLine> readClashes(base::Run& run, ClashKind kind);
// "Athlete Clash Detector" or "Station Clash Detector", with the factor beside the
// columns of the printed report.
ReportTable clashReport(base::Run& run, ClashKind kind, const QList<ClashLine>& lines);
// Minutes as "15.0", "-3.5".
QString minutesText(double minutes);

} // namespace sched
