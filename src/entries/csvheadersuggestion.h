#pragma once

#include "entries/csvsetup.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace entries {

// What the titles of a file's header line say about the column setup: the columns whose
// titles name a field ("Surname", "First name", "TEAM" ...), the age source when the
// header names one, and the first and last of the columns titled "Item". The user sees
// the suggestion beside the setup and takes it or leaves it.
struct HeaderSuggestion {
    QList<std::pair<QString, int>> columns; // field as the screen names it -> column
    AgeSource ageSource = AgeSource::None;  // None: the header names no age column
    bool bests = false;                     // each "Item" column is followed by a "Best" one

    bool isEmpty() const { return columns.isEmpty(); }
    // The setup with the suggested columns and age source; a field whose column is titled
    // as another field loses it, the other fields keep theirs.
    CsvSetup appliedTo(const CsvSetup& setup) const;
    // True when applying would change nothing.
    bool matches(const CsvSetup& setup) const;
    // "Surname 1, Firstname 2, Team 5" for the screen.
    QString text() const;
};

HeaderSuggestion suggestFromHeader(const QStringList& header);

} // namespace entries
