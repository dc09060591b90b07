#include "scoring/forms/topathletesform.h"

#include "base/forms/buttontips.h"
#include "base/messages.h"
#include "base/run.h"
#include "meeting/meetingsettings.h"
#include "scoring/placepoints.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace scoring {

namespace {

const char* const kGroups[] = {"T", "F"};

QString ageWords(const QList<int>& ages)
{
    QStringList words;
    for (const int age : ages)
        words << QString::number(age);
    return words.isEmpty() ? QStringLiteral("(none)") : words.join(QStringLiteral(", "));
}

QSpinBox* spin(QWidget* parent, int minimum, int maximum, int value)
{
    auto* box = new QSpinBox(parent);
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

} // namespace

TopAthletesForm::TopAthletesForm(const TopAthleteSettings& settings, const QList<int>& ages,
                                 QWidget* parent)
    : QDialog(parent), m_settings(settings), m_ages(ages)
{
    setWindowTitle(settings.league > 0 ? QStringLiteral("Top Athletes: Competition ") +
                                             QString::number(settings.league)
                                       : QStringLiteral("Top Athletes"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_agesCounts = new QLineEdit(settings.agesCounts, this);
    m_agesCounts->setPlaceholderText(QStringLiteral("e.g. 2,2,2"));
    form->addRow(QStringLiteral("&Performances per age (ages ") + ageWords(ages) +
                     QStringLiteral(")"),
                 m_agesCounts);
    form->addRow(QString(), new QLabel(QStringLiteral("One count for each age, youngest first "
                                                      "(0, 3 or 4 counts)"),
                                       this));
    m_rest = spin(this, 0, 99, settings.restParts);
    form->addRow(QStringLiteral("Best of the &rest"), m_rest);
    m_maxPerAthlete = spin(this, 1, 20, std::max(1, settings.maxPerfsPerAthlete));
    form->addRow(QStringLiteral("Performances per &athlete"), m_maxPerAthlete);
    m_splitGenders = new QCheckBox(QStringLiteral("Score boys and girls &apart"), this);
    m_splitGenders->setChecked(settings.splitGenders);
    form->addRow(m_splitGenders);
    layout->addLayout(form);

    auto* minimums = new QGroupBox(QStringLiteral("Compulsory minimum performances"), this);
    auto* grid = new QGridLayout(minimums);
    grid->addWidget(new QLabel(QStringLiteral("Age"), minimums), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Track"), minimums), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Field"), minimums), 0, 2);
    for (qsizetype i = 0; i < ages.size(); ++i) {
        grid->addWidget(new QLabel(QString::number(ages[i]), minimums), int(i) + 1, 0);
        for (int g = 0; g < 2; ++g) {
            QSpinBox* box =
                spin(minimums, 0, 99, settings.minimum(ages[i], QLatin1String(kGroups[g])));
            grid->addWidget(box, int(i) + 1, g + 1);
            m_minimums.append(box);
        }
    }
    if (ages.isEmpty())
        grid->addWidget(
            new QLabel(QStringLiteral("The Meeting has no items chosen yet."), minimums), 1, 0, 1,
            3);
    layout->addWidget(minimums);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    base::addKeepOrCancel(buttons, this, [] { return true; });
    layout->addLayout(buttons);
    setMinimumWidth(520);
}

QSpinBox* TopAthletesForm::minimum(int age, int group) const
{
    const qsizetype i = m_ages.indexOf(age);
    return i < 0 ? nullptr : m_minimums.value(i * 2 + group);
}

TopAthleteSettings TopAthletesForm::settings() const
{
    TopAthleteSettings s = m_settings;
    s.agesCounts = m_agesCounts->text().trimmed();
    s.restParts = m_rest->value();
    s.maxPerfsPerAthlete = m_maxPerAthlete->value();
    s.splitGenders = m_splitGenders->isChecked();
    // Minimums of ages the meeting no longer has are kept as they were.
    QList<TopAthleteMinimum> kept;
    for (const TopAthleteMinimum& m : m_settings.minimums) {
        if (!m_ages.contains(m.age))
            kept.append(m);
    }
    for (qsizetype i = 0; i < m_ages.size(); ++i) {
        for (int g = 0; g < 2; ++g) {
            const int parts = m_minimums[i * 2 + g]->value();
            if (parts > 0)
                kept.append({m_ages[i], QLatin1String(kGroups[g]), parts});
        }
    }
    s.minimums = kept;
    return s;
}

void openTopAthleteSettings(QWidget* parent, base::Run& run)
{
    const int meetingNo = run.currentMeetingNo();
    const QList<int> leagues = PlacePointsTable(*run.database(), meetingNo).leagues();
    int league = leagues.value(0);
    if (leagues.size() > 1) {
        QStringList names;
        for (const int l : leagues)
            names << QStringLiteral("Competition ") + QString::number(l);
        const int chosen = run.messages().choose(QStringLiteral("Top Athletes"),
                                                 QStringLiteral("Which Competition?"), names);
        if (chosen < 0 || chosen >= leagues.size())
            return;
        league = leagues[chosen];
    }
    const QList<int> ages = topAthleteAges(*run.database(), meetingNo);
    TopAthleteSettings settings = loadTopAthleteSettings(*run.database(), meetingNo, league)
                                      .value_or(defaultTopAthleteSettings(run.meeting(), league));
    for (;;) {
        TopAthletesForm form(settings, ages, parent);
        if (form.exec() != QDialog::Accepted)
            return;
        settings = form.settings();
        if (acceptTopAthleteSettings(*run.database(), meetingNo, settings))
            return;
    }
}

} // namespace scoring
