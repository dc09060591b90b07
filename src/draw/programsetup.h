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
    // The same from its title, "Boys 16 Octathlon".
    bool addStandardCombined(const QString& title);
    // Deletes a combined event (given by any of its events) with its program rows, after
    // checking that nobody takes part and asking.
    bool deleteNathlon(qint64 eventNo);
    // The results event and the member events of the combined event `eventNo` belongs to.
    QList<qint64> nathlonEvents(qint64 eventNo);

    // The item (its code's gender and type) for every veterans' age band that is not in the
    // list yet, after asking; returns how many were added.
    int addStandardVeterans(const QString& itemCode);

    // Removes the meeting's events and program ("Deleting the current Program").
    bool deleteProgram();

    QList<TemplateInfo> templates();
    // Overwrites the meeting's program with the template's, after asking.
    bool importTemplate(qint64 templateNo);
    // Saves the selected events with their program; 0 when refused.
    qint64 saveAsTemplate(const QString& name);

private:
    void copyTemplateCategories(qint64 templateNo);
    qint64 addNathlon(const QString& gender, int age, const QStringList& memberCodes);
    bool deleteNathlonEvents(qint64 eventNo);
    int ageDescriptionType();
    db::DmdCoreDbs& database();
    base::Messages& messages();

    Events& m_events;
};

} // namespace draw
