#include "entries/csvheadersuggestion.h"

#include <QHash>

namespace entries {

namespace {

// Titles compare without case, blanks, underscores or dots: "First name", "FIRST_NAME"
// and "Firstname" are one title. The hyphen stays, so that "ID-number" (the swimmer's
// identity number) and "IdNumber" (the age source) stay apart.
QString titleKey(const QString& title)
{
    QString key;
    for (const QChar c : title.trimmed().toLower())
        if (!c.isSpace() && c != QLatin1Char('_') && c != QLatin1Char('.'))
            key += c;
    return key;
}

// Title key -> the field as the setup screen names it.
const QHash<QString, QString>& fieldsByTitle()
{
    static const QHash<QString, QString> fields = [] {
        QHash<QString, QString> f;
        for (const auto& [name, column] : CsvSetup().namedColumns())
            f.insert(titleKey(name), name);
        // Titles that schools commonly use for the same fields.
        f.insert(QStringLiteral("lastname"), QStringLiteral("Surname"));
        f.insert(QStringLiteral("familyname"), QStringLiteral("Surname"));
        f.insert(QStringLiteral("givenname"), QStringLiteral("Firstname"));
        f.insert(QStringLiteral("sex"), QStringLiteral("Gender"));
        f.insert(QStringLiteral("dateofbirth"), QStringLiteral("Birthdate"));
        f.insert(QStringLiteral("yearofbirth"), QStringLiteral("BirthYear"));
        f.insert(QStringLiteral("club"), QStringLiteral("Team"));
        f.insert(QStringLiteral("school"), QStringLiteral("Team"));
        return f;
    }();
    return fields;
}

bool isItemTitle(const QString& key)
{
    if (!key.startsWith(QLatin1String("item")))
        return false;
    for (qsizetype i = 4; i < key.size(); ++i)
        if (!key[i].isDigit())
            return false;
    return true;
}

int columnOf(const QList<std::pair<QString, int>>& columns, const QString& field)
{
    for (const auto& [name, column] : columns)
        if (name == field)
            return column;
    return 0;
}

} // namespace

HeaderSuggestion suggestFromHeader(const QStringList& header)
{
    HeaderSuggestion s;
    int firstItem = 0;
    int lastItem = 0;
    for (int i = 0; i < header.size(); ++i) {
        const QString key = titleKey(header[i]);
        const int column = i + 1;
        if (isItemTitle(key)) {
            firstItem = firstItem ? firstItem : column;
            lastItem = column;
            continue;
        }
        if (key.startsWith(QLatin1String("best")) && lastItem == column - 1) {
            s.bests = true;
            continue;
        }
        const QString field = fieldsByTitle().value(key);
        // The first column with a field's title is the one suggested.
        if (!field.isEmpty() && columnOf(s.columns, field) == 0)
            s.columns.append({field, column});
    }
    if (firstItem && columnOf(s.columns, QStringLiteral("First Item")) == 0)
        s.columns.append({QStringLiteral("First Item"), firstItem});
    if (lastItem && columnOf(s.columns, QStringLiteral("Last Item")) == 0)
        s.columns.append({QStringLiteral("Last Item"), lastItem});
    const std::pair<const char*, AgeSource> ageFields[] = {{"Age", AgeSource::Age},
                                                           {"Birthdate", AgeSource::BirthDate},
                                                           {"BirthYear", AgeSource::BirthYear},
                                                           {"IdNumber", AgeSource::IdNumber}};
    for (const auto& [field, source] : ageFields) {
        if (columnOf(s.columns, QString::fromLatin1(field)) > 0) {
            s.ageSource = source;
            break;
        }
    }
    return s;
}

CsvSetup HeaderSuggestion::appliedTo(const CsvSetup& setup) const
{
    CsvSetup out = setup;
    QHash<int, QString> titled; // column -> the field its title names
    for (const auto& [field, column] : columns)
        titled.insert(column, field);
    for (const auto& [field, column] : setup.namedColumns()) {
        if (titled.contains(column) && titled.value(column) != field)
            out.setColumn(field, 0);
    }
    for (const auto& [field, column] : columns)
        out.setColumn(field, column);
    // The age source already chosen stays while the file has its column.
    if (ageSource != AgeSource::None &&
        (setup.ageSource == AgeSource::None || out.ageColumn() <= 0))
        out.ageSource = ageSource;
    if (columnOf(columns, QStringLiteral("First Item")) > 0) {
        out.hasItems = true;
        out.hasBests = bests;
    }
    return out;
}

bool HeaderSuggestion::matches(const CsvSetup& setup) const
{
    const CsvSetup applied = appliedTo(setup);
    return applied.namedColumns() == setup.namedColumns() && applied.ageSource == setup.ageSource &&
           applied.hasItems == setup.hasItems && applied.hasBests == setup.hasBests;
}

QString HeaderSuggestion::text() const
{
    QStringList parts;
    for (const auto& [field, column] : columns)
        parts << field + QLatin1Char(' ') + QString::number(column);
    return parts.join(QStringLiteral(", "));
}

} // namespace entries
