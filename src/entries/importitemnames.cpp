#include "entries/importitemnames.h"

#include "meeting/itemvocabulary.h"

#include <QRegularExpression>

namespace entries {

namespace {

QString squeezed(const QString& name)
{
    QString s = name.toUpper();
    s.remove(QLatin1Char(' '));
    return s;
}

} // namespace

ImportItemNames::ImportItemNames(meeting::Edition edition) : m_edition(edition)
{
    for (const meeting::vocabulary::Group& g : meeting::vocabulary::groups(edition)) {
        const QString group = QString::fromLatin1(g.code);
        const QList<meeting::vocabulary::Type>* types = meeting::vocabulary::typesOf(group);
        if (!types)
            continue;
        for (const meeting::vocabulary::Type& t : *types) {
            m_groupAndTypes.insert(group + t.code, true);
            m_byName.insert(squeezed(t.name), group + t.code);
        }
    }
}

std::optional<ImportItemNames::Resolved> ImportItemNames::resolve(const QString& name) const
{
    const QString text = name.trimmed();
    const QString upper = text.toUpper();
    static const QRegularExpression whole(QStringLiteral("^(.{10})([MFT])(\\d{2})(W?)$"));
    const auto m = whole.match(upper);
    if (m.hasMatch() && m_groupAndTypes.contains(text.left(10))) {
        const bool swimming = m_edition == meeting::Edition::Swimming;
        return Resolved{text.left(13).toUpper().replace(0, 10, text.left(10)) +
                            (swimming ? QStringLiteral("W") : QString()),
                        true};
    }
    if (text.size() == 10 && m_groupAndTypes.contains(text))
        return Resolved{text, false};
    const auto it = m_byName.find(squeezed(text));
    if (it != m_byName.end())
        return Resolved{*it, false};
    return std::nullopt;
}

QString ImportItemNames::itemCode(const QString& groupAndType, const QString& gender, int age) const
{
    return groupAndType + gender + QString::number(age).rightJustified(2, QLatin1Char('0')) +
           (m_edition == meeting::Edition::Swimming ? QStringLiteral("W") : QString());
}

} // namespace entries
