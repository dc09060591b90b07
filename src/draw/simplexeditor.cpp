#include "draw/simplexeditor.h"

#include "base/messages.h"
#include "draw/events.h"
#include "draw/formataccept.h"
#include "draw/heatformats.h"
#include "draw/heatgroups.h"
#include "meeting/itemtypes.h"

namespace draw {

namespace {
const QString kEditAgain =
    QStringLiteral("\r\rIf you want to edit it as Semi-s (Simplex) again, delete all the values.");
}

bool SimplexEditor::canEdit(qint64 eventNo)
{
    base::Messages& messages = m_events.messages();
    const EventRow row = m_events.event(eventNo);
    if (row.eventNo == 0)
        return false;
    if (!mayGiveHeats(m_events.items(), row))
        return false;
    switch (HeatFormats::formatKind(row.formatEdit)) {
    case FormatKind::Complex:
        messages.warning(kComplexOnly);
        return false;
    case FormatKind::SemisWithPlaces:
        messages.warning(QStringLiteral("This format has more than just performance-selection.\r"
                                        "Edit it as Semis-with-places, or Complex.") +
                         kEditAgain);
        return false;
    case FormatKind::FinalOnly:
    case FormatKind::TimesOnly:
        break;
    }
    return true;
}

bool SimplexEditor::setHeats(qint64 eventNo, const QString& heatsText, bool heatsAreFinals,
                             bool checked)
{
    base::Messages& messages = m_events.messages();
    if (!checked && !canEdit(eventNo))
        return false;
    const QString text = heatsText.trimmed();
    if (text.isEmpty()) {
        messages.warning(QStringLiteral("Enter the number of heats"));
        return false;
    }
    bool ok = false;
    const int heats = text.toInt(&ok);
    if (!ok) {
        messages.warning(QStringLiteral("Please enter a number"));
        return false;
    }
    if (heats < 0 || heats > 100) {
        messages.warning(QStringLiteral("You must enter between 0 and 100 for the heats"));
        return false;
    }
    if (heats == 1 &&
        !messages.confirm(QStringLiteral("One heat does not normally make sense.\rMake sure it "
                                         "is correct.\rIf there is only a final, there is 0 "
                                         "heats.\r\rDo you want to except this anyway")))
        return false;
    const EventRow row = m_events.event(eventNo);
    if (heats == 0 && heatsAreFinals) {
        messages.warning(kNoHeatsToBeFinals);
        return false;
    }
    if (heats == 0 && !row.formatEdit.isEmpty() &&
        !messages.confirm(QStringLiteral("Clear the heats")))
        return false;
    const meeting::ItemTypes& items = m_events.items();
    QString format;
    if (heats > 0) {
        const int perHeat =
            items.IsFieldItem(row.itemCode) ? 12 : m_groups.athletesPerHeat(row.itemCode);
        format = QString::number(heats) + QStringLiteral(",0,") + QString::number(perHeat);
    }
    return storeFormatEdit(m_events.database(), eventNo, format, heatsAreFinals);
}

} // namespace draw
