#include "draw/forms/lateathleteform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace draw {

LateAthleteForm::LateAthleteForm(base::Run& run, qint64 eventNo, QWidget* parent)
    : QDialog(parent), m_run(run), m_draw(*run.database(), run.messages(), eventNo)
{
    setWindowTitle(QStringLiteral("Add Athletes to the first round"));
    auto* layout = new QVBoxLayout(this);
    auto* listLabel = new QLabel(QStringLiteral("Athletes &NOT Drawn"), this);
    m_athletes = new QListWidget(this);
    listLabel->setBuddy(m_athletes);
    layout->addWidget(listLabel);
    layout->addWidget(m_athletes, 1);

    auto* form = new QFormLayout;
    m_heats = new QComboBox(this);
    m_lanesInUse = new QLabel(this);
    m_lane = new QLineEdit(this);
    m_lane->setPlaceholderText(QStringLiteral("0 = Lane 0"));
    form->addRow(QStringLiteral("Select a &Heat"), m_heats);
    form->addRow(QStringLiteral("Lanes in use"), m_lanesInUse);
    form->addRow(QStringLiteral("&Lane"), m_lane);
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    base::addActionButton(buttons, QStringLiteral("&Add to the Heat"),
                          tr("Puts the selected athlete into the heat and lane chosen (Enter "
                             "in the lane)"),
                          [this] { addSelected(); });
    buttons->addStretch(1);
    base::addActionButton(buttons, QStringLiteral("Close"), base::closeTip(), [this] { reject(); });
    layout->addLayout(buttons);
    connect(m_heats, &QComboBox::currentIndexChanged, this, [this] { showLanes(); });
    connect(m_lane, &QLineEdit::returnPressed, this, [this] { addSelected(); });
    base::onListKey(m_athletes, Qt::Key_Return, [this] { m_lane->setFocus(); });

    m_open = m_draw.open();
    if (!m_open)
        return;
    if (m_draw.round() == QLatin1String("F")) {
        m_heats->addItem(QStringLiteral("Final"), 0);
    } else {
        for (int heat = 1; heat <= m_draw.heats(); ++heat)
            m_heats->addItem(QStringLiteral("Heat ") + QString::number(heat), heat);
    }
    fillAthletes();
    showLanes();
    base::resizeWithinDesktop(this, QSize(460, 420));
}

void LateAthleteForm::fillAthletes()
{
    m_undrawn = m_draw.undrawn(false);
    m_athletes->clear();
    for (const UndrawnAthlete& a : std::as_const(m_undrawn))
        m_athletes->addItem(a.surname + QStringLiteral(", ") + a.firstName +
                            QStringLiteral("   (") + a.teamAbrv + QLatin1Char(')'));
    if (!m_undrawn.isEmpty())
        m_athletes->setCurrentRow(0);
}

void LateAthleteForm::showLanes()
{
    QStringList lanes;
    for (int lane : m_draw.lanesInUse(m_heats->currentData().toInt()))
        lanes << QString::number(lane);
    m_lanesInUse->setText(lanes.isEmpty() ? QStringLiteral("(none)")
                                          : lanes.join(QStringLiteral(", ")));
}

bool LateAthleteForm::addSelected()
{
    const int row = m_athletes->currentRow();
    if (row < 0 || row >= m_undrawn.size()) {
        m_run.messages().warning(QStringLiteral("Select an Athlete first."));
        return false;
    }
    if (!m_draw.add(m_undrawn[row].athleteNo, m_heats->currentData().toInt(), m_lane->text())) {
        m_lane->setFocus();
        m_lane->selectAll();
        return false;
    }
    m_lane->clear();
    fillAthletes();
    showLanes();
    if (m_undrawn.isEmpty()) {
        m_run.messages().information(QStringLiteral("All Athletes taken care of. Exiting."));
        accept();
    } else {
        m_athletes->setFocus();
    }
    return true;
}

void openLateAthletes(QWidget* parent, base::Run& run, qint64 eventNo)
{
    LateAthleteForm form(run, eventNo, parent);
    if (!form.isOpen())
        return;
    if (form.undrawn().isEmpty()) {
        run.messages().information(
            QStringLiteral("There are no Athletes that were not Drawn for a Heats and Lanes"));
        return;
    }
    form.exec();
}

} // namespace draw
