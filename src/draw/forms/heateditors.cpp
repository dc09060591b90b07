#include "draw/forms/heateditors.h"

#include "base/messages.h"
#include "draw/events.h"
#include "draw/forms/complexformatdialog.h"
#include "draw/heatformats.h"
#include "draw/simplexeditor.h"
#include "meeting/itemtypes.h"

namespace draw {

bool askEstimate(Events& events, qint64 eventNo, QString* text)
{
    const EventRow row = events.event(eventNo);
    *text = QString::number(row.estimated);
    return events.messages().askText(
        QStringLiteral("Estimated Number of Athletes for this Event\r") +
            events.items().ItemDescription(row.itemCode, false),
        text);
}

bool editSemiHeats(Events& events, const HeatGroups& groups, qint64 eventNo)
{
    SimplexEditor editor(events, groups);
    if (!editor.canEdit(eventNo))
        return false;
    const EventRow row = events.event(eventNo);
    QString text = QString::number(HeatFormats::heatCountsText(row.formatEdit).toInt());
    if (!events.messages().askText(QStringLiteral("Number of semi heats (the best times go to "
                                                  "the final; 0: final only)"),
                                   &text))
        return false;
    return editor.setHeats(eventNo, text, row.finalNotRun == 1, true);
}

bool editHeatFormat(QWidget* parent, Events& events, const HeatGroups& groups,
                    ComplexEditor::Mode mode, qint64 eventNo)
{
    if (!ComplexEditor(events, groups, mode).canEdit(eventNo))
        return false;
    ComplexFormatDialog dialog(events, groups, mode, eventNo, parent);
    return dialog.exec() == QDialog::Accepted;
}

void openItemScreen(Events& events, const std::function<void()>& open)
{
    events.saveSelection();
    open();
    events.collectSelection();
}

} // namespace draw
