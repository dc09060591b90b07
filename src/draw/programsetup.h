#pragma once

#include "draw/events.h"

#include <QList>
#include <QString>

namespace draw {

struct TemplateInfo {
    qint64 templateNo = 0;
    QString name;
    int items = 0;
};

// Whole programs at once: the standard items of chosen ages, the standard combined
// events, and programs saved as templates in the database.
class ProgramSetup {
public:
    explicit ProgramSetup(Events& events);

    // Adds the standard items of the ages and genders that are not in the list yet, after
    // asking. Returns how many were added.
    int addItemsForAges(const QList<int>& ages, const QStringList& genders, bool withRelays,
                        bool grades = false);
    // The results event and its member events, all selected.
    bool addStandardCombined(const QString& genderWord, int ageOrGrade, const QString& name);

    // Removes the meeting's events and program ("Deleting the current Program").
    bool deleteProgram();

    QList<TemplateInfo> templates();
    // Overwrites the meeting's program with the template's, after asking.
    bool importTemplate(qint64 templateNo);
    // Saves the selected events with their program; 0 when refused.
    qint64 saveAsTemplate(const QString& name);

private:
    db::DmdCoreDbs& database();
    shell::Messages& messages();

    Events& m_events;
};

} // namespace draw
