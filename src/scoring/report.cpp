#include "scoring/report.h"

#include <QJsonArray>

namespace scoring {

QString Report::toText() const
{
    QString text = title + QLatin1Char('\n');
    if (!subtitle.isEmpty())
        text += subtitle + QLatin1Char('\n');
    text += headers.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (qsizetype i = 0; i < rows.size(); ++i) {
        for (const auto& [start, name] : sections) {
            if (start == i)
                text += QStringLiteral("== ") + name + QLatin1Char('\n');
        }
        text += rows[i].join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    for (const QString& note : notes)
        text += note + QLatin1Char('\n');
    return text;
}

QJsonObject Report::toJson() const
{
    QJsonArray list;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QJsonObject row;
        for (qsizetype c = 0; c < headers.size() && c < rows[i].size(); ++c)
            row.insert(headers[c], rows[i][c]);
        for (const auto& [start, name] : sections) {
            if (start <= i)
                row.insert(QStringLiteral("section"), name);
        }
        list.append(row);
    }
    return {{"title", title},
            {"headers", QJsonArray::fromStringList(headers)},
            {"rows", list},
            {"notes", QJsonArray::fromStringList(notes)}};
}

} // namespace scoring
