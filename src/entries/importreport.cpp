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

QList<ImportReport::Line> ImportReport::byLine() const
{
    QList<ImportFinding> sorted = m_findings;
    std::stable_sort(
        sorted.begin(), sorted.end(),
        [](const ImportFinding& a, const ImportFinding& b) { return a.line < b.line; });
    QList<Line> lines;
    for (const ImportFinding& f : sorted) {
        if (lines.isEmpty() || lines.last().line != f.line)
            lines.append(Line{f.line, {}});
        lines.last().findings.append(f);
    }
    return lines;
}

QString ImportReport::labelled(const ImportFinding& f)
{
    const char* label = f.kind == ImportFinding::AthleteError ? "AthleteErr: "
                        : f.kind == ImportFinding::ItemError  ? "Item Error: "
                                                              : "Warning   : ";
    return QString::fromLatin1(label) + f.text;
}

QString ImportReport::text(const QString& path) const
{
    QString out;
    for (const Line& line : byLine()) {
        QString number = QString::number(line.line).rightJustified(6);
        for (const ImportFinding& f : line.findings) {
            out += number + QStringLiteral("  ") + labelled(f) + QLatin1Char('\n');
            number.fill(QLatin1Char(' '));
        }
    }
    return out + QLatin1Char('\n') + closingText(path);
}

QString ImportReport::closingText(const QString& path) const
{
    return QString::number(count(ImportFinding::AthleteError)) +
           QStringLiteral(" Athlete Errors encountered (they will not be imported)\n") +
           QString::number(count(ImportFinding::ItemError)) +
           QStringLiteral(" Item Errors encountered\n") +
           QString::number(count(ImportFinding::Warning)) +
           QStringLiteral(" Warnings encountered\n\n") + path +
           QStringLiteral("\n\n----  PRINT THE ERRORS IF YOU WANT TO FOLLOW UP ON IT  ----\n");
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
