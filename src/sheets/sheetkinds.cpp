#include "sheets/sheetkinds.h"

namespace sheets {

const QList<SheetKind>& sheetKinds()
{
    static const QList<SheetKind> kinds{
        {kind::TrackEvent,
         QStringLiteral("Track Eventsheets"),
         {QStringLiteral("Electronic Time Judge: Main copy"),
          QStringLiteral("Electronic Time Judge: Second copy"),
          QStringLiteral("1)Empty: to TrackJudges,  2) with Places: HandTimers, 3) with times: "
                         "to ElectronicTiming")}},
        {kind::TrackTime,
         QStringLiteral("Track Timesheets"),
         {QStringLiteral("1) Empty: to HandTime  2) Filled in: attach to EventSheet")}},
        {kind::TrackLap, QStringLiteral("Track Lapsheet"), {QStringLiteral("LapCounter")}},
        {kind::TrackStart,
         QStringLiteral("Track Startsheet"),
         {QStringLiteral("Starter"), QStringLiteral("Anouncer"), QStringLiteral("Callroom"),
          QStringLiteral("TrackReferee")}},
        {kind::FieldEvent,
         QStringLiteral("Field Eventsheet"),
         {QStringLiteral("1) Empty: to FieldOfficials  2) Filled in: to Computer")}},
        {kind::FieldWind,
         QStringLiteral("Field Windsheets"),
         {QStringLiteral("1)If Empty: to WindGaugeOperator  2) If Filled: attach to EventSheet")}},
        {kind::FieldStart,
         QStringLiteral("Field Startsheet"),
         {QStringLiteral("Anouncer"), QStringLiteral("FieldReferee")}},
        {kind::TrackWind,
         QStringLiteral("Track Windsheet"),
         {QStringLiteral("1) Empty: to TrackWindRecorder 2) Filled in: to Computer")}},
        {kind::ResultsHeat, QStringLiteral("Heat Event Results"), {QStringLiteral("NoticeBoard")}},
        {kind::ResultsFinal,
         QStringLiteral("Finals Event Results"),
         {QStringLiteral("Announcer"), QStringLiteral("NoticeBoard"), QStringLiteral("RududIdiru"),
          QStringLiteral("InformationTable"), QStringLiteral("Media")}},
    };
    return kinds;
}

const SheetKind* sheetKind(const QString& key)
{
    for (const SheetKind& k : sheetKinds()) {
        if (k.key == key)
            return &k;
    }
    return nullptr;
}

} // namespace sheets
