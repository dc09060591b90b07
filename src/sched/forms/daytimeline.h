#pragma once

#include "sched/clashcheck.h"

#include <QList>
#include <QSet>
#include <QWidget>

namespace sched {

// One block of the day view.
struct TimelineRow {
    qint64 programNo = 0;
    QString label;       // "12  100m Freestyle 13 Male - Final"
    double start = 0;    // fraction of the day
    double duration = 0; // fraction of a day
};

// Draws the rows of one day as blocks on a time line, one line per row under an hour
// scale. The rows of a chosen competitor are coloured, and each rest between two of them
// is drawn as a link: red where it is shorter than the guideline, green where it is not.
class DayTimeline : public QWidget {
    Q_OBJECT
public:
    explicit DayTimeline(QWidget* parent = nullptr);

    void setRows(const QList<TimelineRow>& rows);
    void setMarked(const QSet<qint64>& programNos, const QList<RestPair>& rests);
    const QList<TimelineRow>& rows() const { return m_rows; }
    // The line of a row, for scrolling to it; -1 when it is not on this day.
    int lineOf(qint64 programNo) const;
    int lineTop(int line) const;

    QSize sizeHint() const override;
    // Every line keeps its height: a long day scrolls rather than being cut off.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int x(double fraction) const;

    QList<TimelineRow> m_rows;
    QSet<qint64> m_marked;
    QList<RestPair> m_rests;
    double m_from = 0; // the first full hour before the first start
    double m_to = 1;   // the first full hour after the last end
};

} // namespace sched
