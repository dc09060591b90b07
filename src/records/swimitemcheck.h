#pragma once

#include <QString>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}

namespace records {

// Whose item codes are checked: a meeting's events or a record set's records.
enum class SwimItemTarget { Meeting, RecordSet };

// What a walk over the item codes found: one line per item, by its description, prefixed
// in a repair by "Fixed: ", "Fixing failed: " or "Duplicate not fixed: ".
struct SwimItemFindings {
    QStringList lines;
    // True when a question was answered No and nothing was walked.
    bool stopped = false;
};

// Item codes of this edition end in "W" (14th character), or "WZ" for a described item. A
// meeting or record set edited with the athletics edition can hold codes without the
// mark; these are found and repaired here. In the athletics edition both are internal
// errors.
//
// A code with "ZW" at 14 and 15 is turned into "WZ" even by a check. With messages on,
// the user is asked first; the listing of a check is shown even with messages off, so the
// silent check before the items and capture screens speaks only when something is wrong.
class SwimItemCheck {
public:
    SwimItemCheck(db::DmdCoreDbs& database, const meeting::ItemTypes& items);

    // True when invalid items were found. `findings` (optional) receives the listing.
    bool check(SwimItemTarget target, qint64 number, bool showMessages,
               SwimItemFindings* findings = nullptr);
    // True when the user refused the backup question (nothing changed).
    bool fix(SwimItemTarget target, qint64 number, bool showMessages,
             SwimItemFindings* findings = nullptr);

    static bool isValidSwimmingCode(const QString& itemCode);

private:
    bool walk(SwimItemTarget target, qint64 number, bool fixing, bool showMessages,
              SwimItemFindings& findings);
    QString describe(const QString& itemCode) const;

    db::DmdCoreDbs& m_db;
    const meeting::ItemTypes& m_items;
};

} // namespace records
