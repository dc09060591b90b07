#pragma once

#include "entries/csvsetup.h"
#include "entries/entrysettings.h"
#include "entries/importitemnames.h"
#include "entries/importreport.h"
#include "entries/participations.h"
#include "meeting/meetingages.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QStringList>

namespace meeting {
class ItemTypes;
}

namespace entries {

// What the checks of the lines know about the meeting, read once before the file.
struct ImportContext {
    EntrySettings settings;
    CsvSetup setup;
    const meeting::ItemTypes* items = nullptr;
    const ImportItemNames* names = nullptr;
    meeting::MeetingAges ages;
    QHash<QString, EventRow> selected; // by item code
    QSet<QString> categories;          // upper case
    QSet<QString> disabilityClasses;   // of the meeting's items
    QSet<QString> numbersInMeeting;
    QMap<int, ImportItemNames::Resolved> headerItems; // by column, when named in the header
    QHash<QString, int> widths;                       // ATHLETE column -> characters
    int teamWidth = 8;
};

// Checks one line after the other, recording every finding with its line number. It keeps
// the numbers seen so far so that only the first line with a number keeps it.
class ImportLineChecker {
public:
    ImportLineChecker(const ImportContext& context, ImportReport& report);

    ImportLine check(int lineNo, const QStringList& cells);

    int numbersTooLong() const { return m_tooLong; }
    int numbersRepeated() const { return m_repeated; }
    int numbersInMeeting() const { return m_inMeeting; }

private:
    QString cell(int column) const;
    void athleteError(const QString& text);
    void warning(const QString& text);
    void itemError(const QString& text);
    QString chopped(const QString& value, const QString& column, const QString& label);
    QString plainText(int column, const QString& column_, const QString& label);
    std::optional<int> age(const QString& gender);
    void birthDate(AthleteRow& athlete);
    void codes(AthleteRow& athlete);
    void number(AthleteRow& athlete);
    void items(ImportLine& line);
    void addItem(ImportLine& line, const QString& name, int column, const QString& best);

    const ImportContext& m_ctx;
    ImportReport& m_report;
    QStringList m_cells;
    int m_line = 0;
    bool m_athleteError = false;
    QHash<QString, int> m_numbersSeen; // number -> first line
    int m_tooLong = 0;
    int m_repeated = 0;
    int m_inMeeting = 0;
};

} // namespace entries
