#include "draw/forms/manualdrawmenu.h"

#include "base/forms/buttontips.h"

#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "meeting/itemtypes.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace draw {

ManualDrawMenu::ManualDrawMenu(base::Run& run, qint64 eventNo, const QString& round,
                               QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Draw Athletes Manually:  Menu"));
    auto* layout = new QVBoxLayout(this);
    m_rounds = new QComboBox(this);
    m_list = eventRounds(*run.database(), run.currentMeetingNo());
    for (const EventRound& r : m_list) {
        m_rounds->addItem(run.items().ItemDescription(r.itemCode, false) + QStringLiteral(": ") +
                          (r.round == QLatin1String("F")
                               ? QStringLiteral("Final")
                               : QStringLiteral("Round ") + r.round + QStringLiteral(" (") +
                                     QString::number(r.heats) + QStringLiteral(" heats)")));
        if (r.eventNo == eventNo && r.round == round)
            m_rounds->setCurrentIndex(m_rounds->count() - 1);
    }
    auto* roundLabel = new QLabel(QStringLiteral("&Round to draw"), this);
    roundLabel->setBuddy(m_rounds);
    layout->addWidget(roundLabel);
    layout->addWidget(m_rounds);
    m_actions = new QListWidget(this);
    m_actions->addItems(manualActionTexts());
    m_actions->setCurrentRow(0);
    auto* actionLabel = new QLabel(QStringLiteral("&What to do"), this);
    actionLabel->setBuddy(m_actions);
    layout->addWidget(actionLabel);
    layout->addWidget(m_actions, 1);
    connect(m_actions, &QListWidget::itemActivated, this, &QDialog::accept);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    buttons->button(QDialogButtonBox::Ok)
        ->setToolTip(tr("Opens what to do on the round chosen (Enter or a double click)"));
    base::explainButtons(buttons);
    layout->addWidget(buttons);
    base::resizeWithinDesktop(this, QSize(520, 360));
}

EventRound ManualDrawMenu::chosenRound() const
{
    return m_list.value(m_rounds->currentIndex());
}

ManualAction ManualDrawMenu::chosenAction() const
{
    return ManualAction(std::max(0, m_actions->currentRow()));
}

void openManualDraw(QWidget* parent, base::Run& run, qint64 eventNo, const QString& round)
{
    if (run.currentMeetingNo() <= 0 || !run.database()) {
        run.messages().warning(QStringLiteral("There is no current meeting selected!"));
        return;
    }
    QString lastRound = round;
    while (true) {
        ManualDrawMenu menu(run, eventNo, lastRound, parent);
        if (menu.rounds()->count() == 0) {
            run.messages().warning(QStringLiteral("There are no heats in the program yet"));
            return;
        }
        if (menu.exec() != QDialog::Accepted)
            return;
        const EventRound chosen = menu.chosenRound();
        eventNo = chosen.eventNo;
        lastRound = chosen.round;
        ManualDrawForm form(run, chosen.eventNo, chosen.round, menu.chosenAction(), parent);
        if (form.isOpen())
            form.exec();
    }
}

} // namespace draw
