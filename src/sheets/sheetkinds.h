#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace sheets {

// The kinds of printed sheet; each has its own distribution lines.
struct SheetKind {
    QString key;         // stored in DISTRIBUTION.DSTR_SHEET
    QString displayName; // shown on the screens
    QStringList defaultLines;
};

// Every kind in its order of display.
const QList<SheetKind>& sheetKinds();
// The kind of a key; null for an unknown key.
const SheetKind* sheetKind(const QString& key);

namespace kind {
inline const QString TrackEvent = QStringLiteral("TrackEvent");
inline const QString TrackTime = QStringLiteral("TrackTime");
inline const QString TrackLap = QStringLiteral("TrackLap");
inline const QString TrackStart = QStringLiteral("TrackStart");
inline const QString FieldEvent = QStringLiteral("FieldEvent");
inline const QString FieldWind = QStringLiteral("FieldWind");
inline const QString FieldStart = QStringLiteral("FieldStart");
inline const QString TrackWind = QStringLiteral("TrackWind");
inline const QString ResultsHeat = QStringLiteral("ResultsHeat");
inline const QString ResultsFinal = QStringLiteral("ResultsFinal");
} // namespace kind

} // namespace sheets
