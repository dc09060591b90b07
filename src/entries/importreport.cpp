#include "entries/importreport.h"

#include <algorithm>

namespace entries {

void ImportReport::add(int line, ImportFinding::Kind kind, const QString& text)
{
    m_findings.append({line, kind, text});
}

int ImportReport::count(ImportFinding::Kind kind) const
{
    return int(std::count_if(m_findings.begin(), m_findings.end(),
                             [kind](const ImportFinding& f) { return f.kind == kind; }));
}

QString ImportReport::text(const QString& path) const
{
    QList<ImportFinding> sorted = m_findings;
    std::stable_sort(
        sorted.begin(), sorted.end(),
        [](const ImportFinding& a, const ImportFinding& b) { return a.line < b.line; });
    QString out;
    for (const ImportFinding& f : sorted) {
        const char* label = f.kind == ImportFinding::AthleteError ? "AthleteErr: "
                            : f.kind == ImportFinding::ItemError  ? "Item Error: "
                                                                  : "Warning   : ";
        out += QString::number(f.line).rightJustified(6) + QStringLiteral("  ") +
               QString::fromLatin1(label) + f.text + QLatin1Char('\n');
    }
    out += QLatin1Char('\n') + QString::number(count(ImportFinding::AthleteError)) +
           QStringLiteral(" Athlete Errors encountered (they will not be imported)\n") +
           QString::number(count(ImportFinding::ItemError)) +
           QStringLiteral(" Item Errors encountered\n") +
           QString::number(count(ImportFinding::Warning)) +
           QStringLiteral(" Warnings encountered\n\n") + path +
           QStringLiteral("\n\n----  PRINT THE ERRORS IF YOU WANT TO FOLLOW UP ON IT  ----\n");
    return out;
}

QString ImportReport::countsText(const ImportCounts& c)
{
    // A whole file imported again would list every relay entry: the first ones tell.
    constexpr int kShown = 20;
    const qsizetype more = c.duplicateParticipations.size() - kShown;
    const QString duplicates =
        c.duplicateParticipations.isEmpty()
            ? QString()
            : QStringLiteral("\r\r") +
                  c.duplicateParticipations.mid(0, kShown).join(QLatin1Char('\r')) +
                  (more > 0 ? QStringLiteral("\r... and ") + QString::number(more) +
                                  QStringLiteral(" more Duplicate Participations")
                            : QString());
    const QString failed = c.failedLines.isEmpty()
                               ? QString()
                               : QStringLiteral("\r\rThese lines could not be imported:\r") +
                                     c.failedLines.join(QLatin1Char('\r'));
    if (c.athletesAdded == 0 && c.relayTeamsAdded == 0 && c.participationsAdded == 0)
        return QStringLiteral("No athletes imported") + failed + duplicates;
    return QStringLiteral("Imported:\r") + QString::number(c.teamsAdded) +
           QStringLiteral(" Teams added\r") + QString::number(c.athletesAdded) +
           QStringLiteral(" Athletes added\r") + QString::number(c.relayTeamsAdded) +
           QStringLiteral(" Relay teams added\r") + QString::number(c.participationsAdded) +
           QStringLiteral(" Participations added (") + QString::number(c.bestsImported) +
           QStringLiteral(" with best performances)\r") + QString::number(c.duplicates) +
           QStringLiteral(" Athletes already existed (their participations were not "
                          "revised)\r") +
           QString::number(c.linesSkipped) + QStringLiteral(" Lines skipped for errors") + failed +
           duplicates;
}

} // namespace entries
