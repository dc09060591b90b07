#include "sheets/sheetwords.h"

#include <QHash>

namespace sheets {

namespace {

const QHash<QString, QString>& afrikaansWords()
{
    static const QHash<QString, QString> words{
        {QStringLiteral("Event Sheet"), QStringLiteral("Itemvel")},
        {QStringLiteral("Eventsheet"), QStringLiteral("Itemvel")},
        {QStringLiteral("Time sheet"), QStringLiteral("Tydvel")},
        {QStringLiteral("Lapsheet"), QStringLiteral("Rondtevel")},
        {QStringLiteral("Lane Timesheet"), QStringLiteral("Baan Tydvel")},
        {QStringLiteral("Results"), QStringLiteral("Uitslae")},
        {QStringLiteral("Seq: "), QStringLiteral("Volgnr: ")},
        {QStringLiteral("Day: "), QStringLiteral("Dag: ")},
        {QStringLiteral("Time: "), QStringLiteral("Tyd: ")},
        {QStringLiteral("Pit:"), QStringLiteral("Put:")},
        {QStringLiteral("Final"), QStringLiteral("Finaal")},
        {QStringLiteral("Round "), QStringLiteral("Rondte ")},
        {QStringLiteral("Heat "), QStringLiteral("Uitdun ")},
        {QStringLiteral("Exclude From Team Score"), QStringLiteral("Tel nie vir Spanpunte nie")},
        {QStringLiteral("Printed: "), QStringLiteral("Gedruk: ")},
        {QStringLiteral("Records:  "), QStringLiteral("Rekords:  ")},
        {QStringLiteral("Teamdraw: "), QStringLiteral("Spantrekking: ")},
        {QStringLiteral("Referee"), QStringLiteral("Skeidsregter")},
        {QStringLiteral("Chief"), QStringLiteral("Hoof")},
        {QStringLiteral("Judge"), QStringLiteral("Beoordelaar")},
        {QStringLiteral("New Record"), QStringLiteral("Nuwe Rekord")},
        {QStringLiteral("Lane"), QStringLiteral("Baan")},
        {QStringLiteral("Draw"), QStringLiteral("Trek")},
        {QStringLiteral("Number"), QStringLiteral("Nommer")},
        {QStringLiteral("Athlete"), QStringLiteral("Atleet")},
        {QStringLiteral("Swimmer"), QStringLiteral("Swemmer")},
        {QStringLiteral("Surname"), QStringLiteral("Van")},
        {QStringLiteral("First name"), QStringLiteral("Voornaam")},
        {QStringLiteral("Team"), QStringLiteral("Span")},
        {QStringLiteral("Age"), QStringLiteral("Ouderdom")},
        {QStringLiteral("Classes"), QStringLiteral("Klasse")},
        {QStringLiteral("Pos"), QStringLiteral("Plek")},
        {QStringLiteral("Place"), QStringLiteral("Plek")},
        {QStringLiteral("Performance"), QStringLiteral("Prestasie")},
        {QStringLiteral("Best"), QStringLiteral("Beste")},
        {QStringLiteral("Height"), QStringLiteral("Hoogte")},
        {QStringLiteral("Start height:"), QStringLiteral("Beginhoogte:")},
        {QStringLiteral("Result:"), QStringLiteral("Uitslag:")},
        {QStringLiteral("Event"), QStringLiteral("Item")},
        {QStringLiteral("Name"), QStringLiteral("Naam")},
        {QStringLiteral("Day"), QStringLiteral("Dag")},
        {QStringLiteral("Heat"), QStringLiteral("Uitdun")},
        {QStringLiteral("Time"), QStringLiteral("Tyd")},
        {QStringLiteral("Record"), QStringLiteral("Rekord")},
    };
    return words;
}

} // namespace

QString SheetWords::operator()(const QString& english) const
{
    if (!m_afrikaans)
        return english;
    return afrikaansWords().value(english, english);
}

QString SheetWords::operator()(const char* english) const
{
    return (*this)(QString::fromLatin1(english));
}

} // namespace sheets
