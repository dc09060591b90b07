#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Run;
}

namespace meeting {

inline constexpr int kCategoryCodeLength = 6;
inline constexpr int kCategoryDescriptionLength = 15;

struct Category {
    int key = 0; // DUMMY_NO
    QString code;
    QString description;
    int recordSetNo = 0;
    int athletes = 0; // athletes of the meeting in the category
    int events = 0;   // events of the meeting in the category
};

// The categories of one meeting: a code (ATHLETE.CATEGORY and MYEVENT.CATEGORY refer to
// it) and a description, both unique within the meeting whatever their case.
class Categories {
public:
    Categories(db::DmdCoreDbs& database, int meetingNo);

    // Ordered by code; `byDescription` orders them as the choice of the current one.
    QList<Category> list(bool byDescription = false) const;
    // Why this code and description cannot be stored (empty, too long, taken by another
    // row than `exceptKey`); empty when they can.
    QString check(const QString& code, const QString& description, int exceptKey = 0) const;

    // Each shows its refusal and returns false; nothing is written then.
    bool add(const QString& code, const QString& description);
    // Renames the code in the meeting's athletes and events too.
    bool edit(int key, const QString& code, const QString& description);
    // Refused while athletes or events use it; asks first.
    bool remove(int key);

    int withoutRecordSet() const;

private:
    Category find(int key) const;

    db::DmdCoreDbs& m_database;
    int m_meetingNo;
};

// The category new items are added to (MEETING.CURRENT_ADD_CATEGORY).
bool setCurrentAddCategory(base::Run& run, const QString& code);

// Categories on: refused with competitions or described items, or without categories;
// athletes and events without one get `assignCode`.
bool switchCategoriesOn(base::Run& run, bool recordSetEach, const QString& assignCode);
// Categories off: refused while an item code has events in two categories; asks, then
// clears the categories of athletes and events and deletes the meeting's categories.
bool switchCategoriesOff(base::Run& run);

} // namespace meeting
