#include "results/forms/runthroughpanel.h"

#include "base/configstore.h"
#include "base/messages.h"
#include "base/run.h"
#include "meeting/itemtypes.h"
#include "results/attemptprompt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace results {

RunThroughPanel::RunThroughPanel(base::Run& run, PerfHistory& history, const FieldRace& race,
                                 QWidget* parent)
    : QWidget(parent), m_run(run), m_history(history), m_race(race)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_label = new QLabel(this);
    m_label->setMinimumWidth(360);
    m_mark = new QLineEdit(this);
    m_mark->setPlaceholderText(vertical() ? QStringLiteral("X, O or -")
                                          : QStringLiteral("mark, X or -"));
    m_mark->setMaximumWidth(120);
    m_windLabel = new QLabel(QStringLiteral("Wind"), this);
    m_wind = new QLineEdit(this);
    m_wind->setPlaceholderText(QStringLiteral("#9.9"));
    m_wind->setMaximumWidth(80);
    m_windLabel->setVisible(takesWind());
    m_wind->setVisible(takesWind());
    layout->addWidget(m_label);
    layout->addWidget(m_mark);
    layout->addWidget(m_windLabel);
    layout->addWidget(m_wind);
    layout->addStretch();
    connect(m_mark, &QLineEdit::returnPressed, this, &RunThroughPanel::markEntered);
    connect(m_wind, &QLineEdit::returnPressed, this, &RunThroughPanel::commit);
    hide();
}

bool RunThroughPanel::vertical() const
{
    return m_run.items().IsVerticalJump(m_race.itemCode);
}

bool RunThroughPanel::takesWind() const
{
    return !vertical() && m_run.items().WindKind(m_race.itemCode) == 2 && !m_windLater;
}

void RunThroughPanel::start(const QList<CaptureAthleteRow>& athletes)
{
    m_athletes.clear();
    for (const CaptureAthleteRow& a : athletes) {
        if (a.status == 0)
            m_athletes.append(a);
    }
    m_skipped.clear();
    m_round = 0;
    // The official who chose to type the winds later is not asked for them here either.
    m_windLater = attemptPromptOf(m_run.config().readText(kAttemptPromptOption)) ==
                  AttemptPrompt::PerformanceOnly;
    m_windLabel->setVisible(takesWind());
    m_wind->setVisible(takesWind());
    m_active = true;
    show();
    advance();
}

void RunThroughPanel::stop()
{
    if (!m_active)
        return;
    m_active = false;
    m_step.reset();
    hide();
    emit stopped();
}

QString RunThroughPanel::athleteText(qint64 athleteNo) const
{
    for (const CaptureAthleteRow& a : m_athletes) {
        if (a.athleteNo == athleteNo)
            return QStringLiteral("Lane ") + QString::number(a.lane) + QStringLiteral("  ") +
                   a.teamAbrv + QLatin1Char(' ') + a.number + QStringLiteral("  ") + a.name();
    }
    return {};
}

QString RunThroughPanel::stepText() const
{
    if (!m_step)
        return {};
    if (!vertical())
        return QStringLiteral("Attempt ") + QString::number(m_step->seq) + QStringLiteral(":  ") +
               athleteText(m_step->athleteNo);
    QString height;
    for (const BarHeight& h : m_history.heights(m_race)) {
        if (h.heightSeq == m_step->seq)
            height = h.height;
    }
    return QStringLiteral("Height ") + height + QStringLiteral(":  ") +
           athleteText(m_step->athleteNo);
}

std::optional<RunThroughStep> RunThroughPanel::findNext()
{
    QList<qint64> order;
    for (const CaptureAthleteRow& a : m_athletes)
        order.append(a.athleteNo);
    if (!vertical()) {
        QHash<qint64, int> counts;
        QHash<qint64, QList<double>> firstRounds;
        for (const qint64 athlete : order) {
            const QList<Attempt> attempts = m_history.attempts(m_race, athlete);
            counts.insert(athlete, int(attempts.size()));
            for (const Attempt& a : attempts.mid(0, kRoundsBeforeTheCut)) {
                const QString mark = a.performance.trimmed();
                if (mark == QLatin1String("X") || mark == QLatin1String("-"))
                    continue;
                if (const std::optional<double> v = m_run.items().PerfTextToValue(mark))
                    firstRounds[athlete].append(*v);
            }
        }
        const std::optional<RunThroughStep> early =
            nextAttempt(order, counts, m_skipped, kRoundsBeforeTheCut);
        if (early)
            return early;
        return nextAttempt(finalRoundsOrder(order, firstRounds), counts, m_skipped, kAttempts);
    }
    const QList<BarHeight> heights = m_history.heights(m_race);
    if (heights.isEmpty())
        return std::nullopt;
    QHash<qint64, QList<HeightMarks>> marks;
    for (const qint64 athlete : order)
        marks.insert(athlete, m_history.marks(m_race, athlete));
    return nextJump(order, marks, heights.last().heightSeq, m_skipped);
}

void RunThroughPanel::advance()
{
    std::optional<RunThroughStep> next = findNext();
    // The athletes passed over come back once the others are through the round.
    if (!m_skipped.isEmpty() && (!next || next->seq > m_round)) {
        m_skipped.clear();
        next = findNext();
    }
    if (!next && vertical()) {
        bool anyLeft = false;
        for (const CaptureAthleteRow& a : m_athletes)
            anyLeft = anyLeft || !eliminated(m_history.marks(m_race, a.athleteNo));
        QString height = m_history.offeredHeight(m_race);
        if (anyLeft &&
            m_run.messages().askText(QStringLiteral("The next Height (") +
                                         m_run.items().PerfMask(m_race.itemCode) + QLatin1Char(')'),
                                     &height) &&
            m_history.addHeight(m_race, height)) {
            emit changed();
            next = findNext();
        } else if (!anyLeft) {
            m_run.messages().information(QStringLiteral("No athlete is left in the competition"));
        }
    } else if (!next) {
        m_run.messages().information(
            m_athletes.size() > kFinalists
                ? QStringLiteral("Every athlete has had ") + QString::number(kRoundsBeforeTheCut) +
                      QStringLiteral(" attempts, and the best ") + QString::number(kFinalists) +
                      QStringLiteral(" have had ") + QString::number(kAttempts)
                : QStringLiteral("Every athlete has had ") + QString::number(kAttempts) +
                      QStringLiteral(" attempts"));
    }
    if (!next) {
        stop();
        return;
    }
    m_step = next;
    m_round = next->seq;
    m_label->setText(stepText());
    m_mark->clear();
    m_wind->clear();
    m_mark->setFocus();
    emit stepChanged();
}

void RunThroughPanel::markEntered()
{
    const QString mark = m_mark->text().trimmed().toUpper();
    if (takesWind() && !mark.isEmpty() && mark != QLatin1String("X") &&
        mark != QLatin1String("-")) {
        m_wind->setFocus();
        return;
    }
    commit();
}

void RunThroughPanel::commit()
{
    if (!m_step)
        return;
    const QString mark = m_mark->text().trimmed().toUpper();
    if (mark.isEmpty()) {
        m_skipped.insert(m_step->athleteNo);
        advance();
        return;
    }
    bool ok = true;
    if (vertical()) {
        for (const QChar c : mark) {
            ok = m_history.addMarkChar(m_race, m_step->athleteNo, m_step->seq, c);
            if (!ok)
                break;
        }
    } else {
        ok = m_history.setAttempt(m_race, m_step->athleteNo, m_step->seq, mark, m_wind->text(),
                                  m_windLater ? PerfHistory::WindEntry::Later
                                              : PerfHistory::WindEntry::WithMark);
    }
    emit changed();
    if (!ok) {
        // The message was shown: the same athlete types again.
        m_wind->clear();
        m_mark->selectAll();
        m_mark->setFocus();
        return;
    }
    advance();
}

} // namespace results
