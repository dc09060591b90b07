#pragma once

#include "results/captureathletes.h"
#include "results/fieldrunthrough.h"
#include "results/perfhistory.h"

#include <QWidget>

class QLabel;
class QLineEdit;

namespace base {
class Run;
}

namespace results {

// The run-through of the performance history screen: the officials go through the field in
// competition order and type each attempt (a mark, "X" or "-", with the wind when the item
// takes wind) or, for vertical jumps, the marks of each jump at the bar, pressing Enter
// after each. An empty Enter passes the athlete over until the end of the round; Escape
// leaves the run-through.
class RunThroughPanel : public QWidget {
    Q_OBJECT
public:
    // Horizontal items go round up to this many attempts.
    static constexpr int kAttempts = 6;

    RunThroughPanel(base::Run& run, PerfHistory& history, const FieldRace& race,
                    QWidget* parent = nullptr);

    // Starts with the race's athletes in lane order (those with a status are left out).
    void start(const QList<CaptureAthleteRow>& athletes);
    void stop();
    bool active() const { return m_active; }
    std::optional<RunThroughStep> step() const { return m_step; }

    QLineEdit* markEdit() const { return m_mark; }
    QLineEdit* windEdit() const { return m_wind; }
    QString stepText() const;

signals:
    // The history was written: the grid shows it again.
    void changed();
    // Another athlete or attempt is up.
    void stepChanged();
    void stopped();

private:
    bool vertical() const;
    bool takesWind() const;
    void advance();
    std::optional<RunThroughStep> findNext();
    void markEntered();
    void commit();
    QString athleteText(qint64 athleteNo) const;

    base::Run& m_run;
    PerfHistory& m_history;
    FieldRace m_race;
    QList<CaptureAthleteRow> m_athletes;
    QSet<qint64> m_skipped;
    int m_round = 0;
    bool m_active = false;
    std::optional<RunThroughStep> m_step;
    QLabel* m_label = nullptr;
    QLineEdit* m_mark = nullptr;
    QLineEdit* m_wind = nullptr;
    QLabel* m_windLabel = nullptr;
    bool m_windLater = false;
};

} // namespace results
