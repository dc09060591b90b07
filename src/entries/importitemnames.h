#pragma once

#include "meeting/edition.h"

#include <QHash>
#include <QString>

#include <optional>

namespace entries {

// The names an import file may give an item: a whole item code ("FRE____100M13W", the
// "W" may be left off), a group and type ("FRE____100"), or the type's display name
// ("100m Freestyle", "4X50m FreestRel"), in any case and spacing.
class ImportItemNames {
public:
    explicit ImportItemNames(meeting::Edition edition);

    // A name read: either a whole item code, or group and type (10 characters) to which
    // the athlete's gender and age are added.
    struct Resolved {
        QString code; // 13 characters and the edition's suffix, or 10 characters
        bool whole = false;
    };
    std::optional<Resolved> resolve(const QString& name) const;
    // The item code of group and type for a gender and age.
    QString itemCode(const QString& groupAndType, const QString& gender, int age) const;

private:
    meeting::Edition m_edition;
    QHash<QString, QString> m_byName;     // squeezed upper-case name -> group and type
    QHash<QString, bool> m_groupAndTypes; // known group and type codes
};

} // namespace entries
