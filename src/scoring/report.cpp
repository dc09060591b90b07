#include "scoring/report.h"

#include <QJsonArray>

#include <algorithm>

namespace scoring {

QStringList Report::shown(QStringList cells) const
{
    if (sectionColumn >= 0 && sectionColumn < cells.size())
        cells.removeAt(sectionColumn);
    return cells;
}

std::optional<QString> Report::sectionAt(qsizetype row) const
{
    for (const auto& [start, name] : sections) {
        if (start == row)
            return name;
    }
    return std::nullopt;
}

std::optional<QStringList> Report::sectionHeadersAt(qsizetype row) const
{
    for (const auto& [start, names] : sectionHeaders) {
        if (start == row)
            return shown(names);
    }
    return std::nullopt;
}

QStringList Report::headersOf(qsizetype row) const
{
    QStringList names = headers;
    for (const auto& [start, own] : sectionHeaders) {
        if (start <= row)
            names = own;
    }
    return names;
}

int Report::shownColumnCount() const
{
    qsizetype count = shownHeaders().size();
    for (const auto& [start, own] : sectionHeaders)
        count = std::max(count, shown(own).size());
    return int(count);
}

QString Report::toText() const
{
    QString text = title + QLatin1Char('\n');
    if (!subtitle.isEmpty())
        text += subtitle + QLatin1Char('\n');
    if (sectionHeaders.isEmpty())
        text += shownHeaders().join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (const std::optional<QString> section = sectionAt(i))
            text += QStringLiteral("== ") + *section + QLatin1Char('\n');
        if (const std::optional<QStringList> own = sectionHeadersAt(i))
            text += own->join(QLatin1Char('\t')) + QLatin1Char('\n');
        text += shownRow(i).join(QLatin1Char('\t')) + QLatin1Char('\n');
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
        const QStringList names = headersOf(i);
        for (qsizetype c = 0; c < names.size() && c < rows[i].size(); ++c)
            row.insert(names[c], rows[i][c]);
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
