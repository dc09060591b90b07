#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace meeting {
class ItemTypes;
}

namespace draw {

// The items offered for whole ages at once and the standard combined events; both editions
// offer the same lists, each with its own item-code mark.
class StandardItems {
public:
    explicit StandardItems(const meeting::ItemTypes& items) : m_items(items) {}

    // Full item codes for one age and gender ("M" or "F"); relays only when asked. The
    // fuller list is for meetings that describe ages as club categories (U16, Senior,
    // Masters) rather than as plain ages or grades.
    QStringList itemsForAge(int age, const QString& gender, bool withRelays,
                            bool fuller = false) const;

    struct Combined {
        QString gender;
        int age = 0;
        int count = 0;
        QStringList events; // "100m", "LJ", ...
    };
    // "Boys 16 Octathlon" taken apart into gender word, number and name; the masters'
    // throws pentathlon is named "Throws Pentathlon".
    struct CombinedTitle {
        QString genderWord;
        int ageOrGrade = 0;
        QString name;
    };
    static std::optional<CombinedTitle> parseCombinedTitle(const QString& title);

    // "Boys 16 Octathlon"; with grades the number is a grade (age = grade + 6). Empty
    // events when the name is not understood (an internal error).
    Combined combinedEvent(const QString& genderWord, int ageOrGrade, const QString& name,
                           bool grades) const;
    // The veterans' age bands in fives: men from 35, women from 30, up to 95.
    static QList<int> veteranBands(const QString& gender);
    static bool isVeteranAge(const QString& gender, int age);

    // The item code of one event of a combined event ("110mH" -> HDL____110M16, with the
    // edition's mark).
    QString combinedItemCode(const QString& eventName, const QString& gender, int age) const;

private:
    // Every item code of the swimming edition ends in its mark.
    QString editionMark() const;
    QStringList athleticsTypes(int age, const QString& gender, bool withRelays, bool fuller) const;
    QStringList clubExtras(int age, bool girls) const;

    const meeting::ItemTypes& m_items;
};

} // namespace draw
