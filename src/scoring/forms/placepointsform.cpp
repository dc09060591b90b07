#include "scoring/forms/placepointsform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "meeting/meetingsettings.h"
#include "scoring/scoringsettings.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace scoring {

PlacePointsForm::PlacePointsForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run), m_points(*run.database(), run.currentMeetingNo())
{
    setWindowTitle(QStringLiteral("Place Points"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Competition:"), this));
    m_leagues = new QComboBox(this);
    for (const int l : m_points.leagues())
        m_leagues->addItem(QString::number(l), l);
    top->addWidget(m_leagues);
    top->addStretch();
    layout->addLayout(top);
    m_table = new QTableWidget(0, 3, this);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Place"), QStringLiteral("Points"), QStringLiteral("Relay Points")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table);
    auto* buttons = new QHBoxLayout;
    base::addActionButton(buttons, QStringLiteral("&Increase"),
                          tr("Adds a place after the last one, with its points"),
                          [this] { increase(); });
    base::addActionButton(buttons, QStringLiteral("&Decrease"), tr("Removes the last place"),
                          [this] { decrease(); });
    base::addActionButton(
        buttons, QStringLiteral("&Check"),
        tr("Checks that every place has points and that they never rise"), [this] {
            if (m_points.errors(ScoringSettings::of(m_run.meeting()).leaguesHaveOwnPoints)
                    .isEmpty())
                m_run.messages().information(QStringLiteral("The place points are in order."));
            else
                check();
        });
    buttons->addStretch();
    base::addActionButton(buttons, QStringLiteral("C&lose"),
                          tr("Checks the points and closes this screen"), [this] {
                              if (check())
                                  accept();
                          });
    layout->addLayout(buttons);
    connect(m_leagues, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(m_table, &QTableWidget::cellChanged, this,
            [this](int row, int column) { cellEdited(row, column); });
    base::resizeWithinDesktop(this, QSize(420, 480));
    refresh();
}

int PlacePointsForm::league() const
{
    return m_leagues->currentData().toInt();
}

void PlacePointsForm::setLeague(int league)
{
    m_leagues->setCurrentIndex(m_leagues->findData(league));
}

void PlacePointsForm::refresh()
{
    m_filling = true;
    m_rows = m_points.ofLeague(league());
    m_table->setRowCount(int(m_rows.size()));
    for (int i = 0; i < m_rows.size(); ++i) {
        auto* place = new QTableWidgetItem(QString::number(m_rows[i].place));
        place->setFlags(place->flags() & ~Qt::ItemIsEditable);
        m_table->setItem(i, 0, place);
        m_table->setItem(i, 1, new QTableWidgetItem(pointsText(m_rows[i].point)));
        m_table->setItem(i, 2, new QTableWidgetItem(pointsText(m_rows[i].relay)));
    }
    m_filling = false;
}

void PlacePointsForm::cellEdited(int row, int column)
{
    if (m_filling || row < 0 || row >= m_rows.size() || column < 1)
        return;
    m_points.setPoints(league(), m_rows[row].place, m_table->item(row, column)->text(),
                       column == 2);
    refresh();
}

void PlacePointsForm::increase()
{
    // The next place starts from the points of the last one, as the grid offers them.
    const QString point = m_rows.isEmpty() ? QStringLiteral("0") : pointsText(m_rows.last().point);
    const QString relay = m_rows.isEmpty() ? QStringLiteral("0") : pointsText(m_rows.last().relay);
    if (m_points.increase(league(), point, relay, placeLimit(m_run.config())))
        refresh();
    m_table->setCurrentCell(m_table->rowCount() - 1, 1);
}

void PlacePointsForm::decrease()
{
    if (m_points.decrease(league()))
        refresh();
}

bool PlacePointsForm::check()
{
    return m_points.checkBeforeUse(ScoringSettings::of(m_run.meeting()).leaguesHaveOwnPoints);
}

void openPlacePoints(QWidget* parent, base::Run& run)
{
    PlacePointsForm form(run, parent);
    form.exec();
}

} // namespace scoring
