#include "draw/simplexeditor.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/events.h"
#include "draw/heatformats.h"
#include "draw/heatgroups.h"
#include "meeting/itemtypes.h"
#include "shell/messages.h"

namespace draw {

namespace {
const QString kEditAgain =
    QStringLiteral("\r\rIf you want to edit it as Semi-s (Simplex) again, delete all the values.");
}

bool SimplexEditor::canEdit(qint64 eventNo)
{
    shell::Messages& messages = m_events.messages();
    const EventRow row = m_events.event(eventNo);
    if (row.eventNo == 0)
        return false;
    const meeting::ItemTypes& items = m_events.items();
    if (row.itemCode.mid(11, 2) == QLatin1String("99")) {
        messages.warning(QStringLiteral(
            "Heats are not allowed on Mixed events.\r\rMixed Events are intended where there "
            "are not\renough Athletes for a few similar events.\rIt does not make sense to have "
            "Heats then."));
        return false;
    }
    if (items.IsFieldItem(row.itemCode) &&
        !messages.confirm(QStringLiteral("Heats on field events does not really make sense.\r"
                                         "Do you want heats anyway?")))
        return false;
    switch (HeatFormats::formatKind(row.formatEdit)) {
    case FormatKind::Complex:
        messages.warning(QStringLiteral("This format is complex.  You can only edit it with "
                                        "Complex mode.") +
                         kEditAgain);
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
    shell::Messages& messages = m_events.messages();
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
        messages.warning(QStringLiteral("You cannot indicate that Heats-are-finals \rif there "
                                        "are no Heats."));
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
    return m_events.database().executeOneRow(
        QStringLiteral("update MYEVENT set  FINAL_NOT_RUN=") +
        db::sqlInt(heats > 0 && heatsAreFinals ? 1 : 0) + QStringLiteral(", C_HEATCOUNTSEDIT=") +
        db::quoted(HeatFormats::heatCountsText(format)) + QStringLiteral(", C_HEATFORMATEDIT=") +
        db::quoted(format) + QStringLiteral(" where EVENTNO = ") + db::sqlInt(eventNo));
}

} // namespace draw
