#include "results/forms/capturedrawmenu.h"

#include "base/forms/buttontips.h"

#include "base/messages.h"
#include "base/run.h"
#include "draw/drawround.h"
#include "draw/forms/drawextras.h"
#include "draw/forms/hotseatsform.h"
#include "draw/forms/lateathleteform.h"
#include "draw/forms/manualdrawform.h"
#include "draw/forms/manualdrawmenu.h"
#include "results/forms/capturepanel.h"

#include <QMenu>
#include <QPushButton>

namespace results {

namespace {

void drawRound(base::Run& run, qint64 eventNo, const QString& round)
{
    draw::DrawRandom random;
    draw::DrawEngine engine(*run.database(), run.items(), run.meeting(), random);
    draw::RoundDrawing(engine).drawRound(eventNo, round, draw::DrawFrom::Capture);
}

void manualDraw(QWidget* parent, base::Run& run, qint64 eventNo, const QString& round,
                draw::ManualAction action)
{
    draw::ManualDrawForm form(run, eventNo, round, action, parent);
    if (form.isOpen())
        form.exec();
}

} // namespace

void runCaptureDraw(CapturePanel* panel, CaptureDraw action)
{
    base::Run& run = panel->run();
    const std::optional<CaptureProgramRow>& row = panel->programRow();
    if (!row) {
        run.messages().warning(QStringLiteral("Select an Item first."));
        return;
    }
    const qint64 eventNo = row->eventNo;
    const QString round = row->round;
    switch (action) {
    case CaptureDraw::ThisRound:
        drawRound(run, eventNo, round);
        break;
    case CaptureDraw::Final:
        drawRound(run, eventNo, QStringLiteral("F"));
        break;
    case CaptureDraw::EditHeatAndLane:
        manualDraw(panel, run, eventNo, round, draw::ManualAction::EditLanes);
        break;
    case CaptureDraw::SwapTwo:
        manualDraw(panel, run, eventNo, round, draw::ManualAction::SwapAny);
        break;
    case CaptureDraw::Menu:
        draw::openManualDraw(panel, run, eventNo, round);
        break;
    case CaptureDraw::NotDrawn:
        draw::openLateAthletes(panel, run, eventNo);
        break;
    case CaptureDraw::HotSeats:
        draw::openHotSeats(panel, run, eventNo, round);
        break;
    case CaptureDraw::CallRoom:
        draw::drawFromCallRoom(run, eventNo, round);
        break;
    }
    panel->refresh();
    emit panel->changed();
}

QPushButton* captureDrawButton(CapturePanel* panel, QWidget* parent)
{
    auto* button = new QPushButton(QStringLiteral("Draw"), parent);
    button->setAutoDefault(false);
    button->setToolTip(QObject::tr("Draws the round on the screen or the next one"));
    auto* menu = new QMenu(button);
    const auto add = [&](const QString& text, CaptureDraw action) {
        menu->addAction(text, [panel, action] { runCaptureDraw(panel, action); });
    };
    add(QStringLiteral("Draw this &Round"), CaptureDraw::ThisRound);
    add(QStringLiteral("Draw &Final"), CaptureDraw::Final);
    menu->addSeparator();
    add(QStringLiteral("Edit &Heat and Lane"), CaptureDraw::EditHeatAndLane);
    add(QStringLiteral("&Swop 2 Athletes"), CaptureDraw::SwapTwo);
    add(QStringLiteral("Draw &Menu"), CaptureDraw::Menu);
    menu->addSeparator();
    add(QStringLiteral("Athletes &NOT Drawn"), CaptureDraw::NotDrawn);
    add(QStringLiteral("Hot&Seats"), CaptureDraw::HotSeats);
    add(QStringLiteral("&Call-room draw"), CaptureDraw::CallRoom);
    button->setMenu(menu);
    return button;
}

} // namespace results
