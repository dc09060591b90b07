#include "draw/forms/hotseatsform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace draw {

namespace {

QListWidget* labelledList(QWidget* owner, QBoxLayout* into, const QString& label)
{
    auto* column = new QVBoxLayout;
    auto* caption = new QLabel(label, owner);
    auto* list = new QListWidget(owner);
    caption->setBuddy(list);
    column->addWidget(caption);
    column->addWidget(list, 1);
    into->addLayout(column, 1);
    return list;
}

} // namespace

HotSeatsForm::HotSeatsForm(base::Run& run, qint64 eventNo, const QString& round, QWidget* parent)
    : QDialog(parent), m_run(run), m_seats(*run.database(), run.items(), run.messages()),
      m_eventNo(eventNo), m_round(round)
{
    setWindowTitle(QStringLiteral("HotSeats"));
    auto* layout = new QVBoxLayout(this);
    auto* lists = new QHBoxLayout;
    m_drawnList = labelledList(this, lists, QStringLiteral("&Drawn athletes (heat, lane)"));
    m_waitingList =
        labelledList(this, lists, QStringLiteral("&Waiting in the hot seats (place, time)"));
    layout->addLayout(lists, 1);
    auto* buttons = new QHBoxLayout;
    base::addActionButton(buttons, QStringLiteral("&Replace"),
                          tr("The selected waiting athlete takes the heat and lane of the "
                             "selected drawn one"),
                          [this] { replaceSelected(); });
    buttons->addStretch(1);
    base::addActionButton(buttons, QStringLiteral("Close"), base::closeTip(), [this] { reject(); });
    layout->addLayout(buttons);
    base::onListKey(m_drawnList, Qt::Key_Return, [this] { m_waitingList->setFocus(); });
    base::onListKey(m_waitingList, Qt::Key_Return, [this] { replaceSelected(); });
    m_open = m_seats.open(eventNo, round);
    if (m_open)
        fill();
    base::resizeWithinDesktop(this, QSize(760, 460));
}

void HotSeatsForm::fill()
{
    m_drawn = drawnAthletes(*m_run.database(), m_run.currentMeetingNo(), m_eventNo, m_round);
    m_waiting = m_seats.waiting(false);
    m_drawnList->clear();
    for (const DrawnAthlete& a : std::as_const(m_drawn))
        m_drawnList->addItem(QStringLiteral("Heat %1  Lane %2   ").arg(a.heat).arg(a.lane) +
                             a.surname + QStringLiteral(", ") + a.firstName +
                             QStringLiteral("  (") + a.team + QLatin1Char(')'));
    m_waitingList->clear();
    for (const HotSeat& s : std::as_const(m_waiting))
        m_waitingList->addItem(QString::number(s.place) + QStringLiteral("   ") + s.performance +
                               QStringLiteral("   ") + s.name + QStringLiteral("  (") + s.teamAbrv +
                               QLatin1Char(')'));
    if (!m_drawn.isEmpty())
        m_drawnList->setCurrentRow(0);
    if (!m_waiting.isEmpty())
        m_waitingList->setCurrentRow(0);
}

bool HotSeatsForm::replaceSelected()
{
    const int drawn = m_drawnList->currentRow();
    const int seat = m_waitingList->currentRow();
    if (drawn < 0 || drawn >= m_drawn.size() || seat < 0 || seat >= m_waiting.size()) {
        m_run.messages().warning(
            QStringLiteral("Select the drawn athlete and the athlete in the hot seat."));
        return false;
    }
    if (!m_seats.replace(m_drawn[drawn].athleteNo, m_waiting[seat].athleteNo))
        return false;
    fill();
    m_drawnList->setCurrentRow(drawn);
    return true;
}

void openHotSeats(QWidget* parent, base::Run& run, qint64 eventNo, const QString& round)
{
    HotSeatsForm form(run, eventNo, round, parent);
    if (!form.isOpen())
        return;
    if (form.waiting().isEmpty()) {
        run.messages().information(QStringLiteral("There are no \"hotseats\" available"));
        return;
    }
    form.exec();
}

} // namespace draw
