#include "sched/forms/daytimeline.h"

#include "sched/clashreport.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace sched {

namespace {
constexpr int kLabelWidth = 330;
constexpr int kLineHeight = 20;
constexpr int kScaleHeight = 26;
constexpr int kRightMargin = 34; // room for the last hour's label
constexpr double kHour = 1.0 / 24.0;

const QColor kBlock(96, 125, 170);
const QColor kStripe(244, 246, 250);
// A swim of a minute is a few pixels wide on a day's scale: every block stays visible.
constexpr int kMinBlockWidth = 6;
const QColor kMarked(245, 166, 35);
const QColor kShortRest(214, 39, 40);
const QColor kEnoughRest(44, 160, 44);
} // namespace

DayTimeline::DayTimeline(QWidget* parent) : QWidget(parent)
{
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setMinimumWidth(kLabelWidth + 400);
}

void DayTimeline::setRows(const QList<TimelineRow>& rows)
{
    m_rows = rows;
    m_from = 0;
    m_to = 1;
    if (!rows.isEmpty()) {
        double first = 1;
        double last = 0;
        for (const TimelineRow& r : rows) {
            first = std::min(first, r.start);
            last = std::max(last, r.start + r.duration);
        }
        m_from = std::floor(first / kHour) * kHour;
        m_to = std::max(m_from + kHour, std::ceil(last / kHour) * kHour);
    }
    updateGeometry();
    update();
}

void DayTimeline::setMarked(const QSet<qint64>& programNos, const QList<RestPair>& rests)
{
    m_marked = programNos;
    m_rests = rests;
    update();
}

int DayTimeline::lineOf(qint64 programNo) const
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].programNo == programNo)
            return i;
    }
    return -1;
}

int DayTimeline::lineTop(int line) const
{
    return kScaleHeight + line * kLineHeight;
}

QSize DayTimeline::sizeHint() const
{
    return QSize(kLabelWidth + 700, kScaleHeight + int(m_rows.size()) * kLineHeight + 8);
}

QSize DayTimeline::minimumSizeHint() const
{
    return QSize(kLabelWidth + 400, sizeHint().height());
}

int DayTimeline::x(double fraction) const
{
    const int width = std::max(100, this->width() - kLabelWidth - kRightMargin);
    return kLabelWidth + int((fraction - m_from) / (m_to - m_from) * width);
}

void DayTimeline::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect visible = event->rect();
    auto shown = [&](int line) {
        const int top = lineTop(line);
        return top <= visible.bottom() && top + kLineHeight >= visible.top();
    };
    // Every other line shaded and the chosen competitor's lines marked, under the scale, so
    // that the eye follows a label across to its block.
    for (int i = 0; i < m_rows.size(); ++i) {
        if (!shown(i))
            continue;
        if (m_marked.contains(m_rows[i].programNo))
            p.fillRect(QRect(0, lineTop(i), width(), kLineHeight), QColor(255, 236, 204));
        else if (i % 2 == 1)
            p.fillRect(QRect(0, lineTop(i), width(), kLineHeight), kStripe);
    }
    // A faint line down the page for every quarter, a darker one for every hour.
    for (double t = m_from; t <= m_to + 1e-9; t += kHour / 4) {
        const bool hour = std::fabs(std::remainder(t, kHour)) < 1e-9;
        p.setPen(hour ? QColor(150, 150, 150) : QColor(215, 215, 215));
        p.drawLine(x(t), kScaleHeight - 4, x(t), height());
    }
    for (int i = 0; i < m_rows.size(); ++i) {
        if (!shown(i))
            continue;
        const int top = lineTop(i);
        const TimelineRow& r = m_rows[i];
        const bool marked = m_marked.contains(r.programNo);
        p.setPen(palette().color(QPalette::Text));
        QFont f = font();
        f.setBold(marked);
        p.setFont(f);
        p.drawText(QRect(4, top, kLabelWidth - 8, kLineHeight), Qt::AlignVCenter | Qt::AlignLeft,
                   p.fontMetrics().elidedText(r.label, Qt::ElideRight, kLabelWidth - 8));
        const int left = x(r.start);
        const int right = std::max(left + kMinBlockWidth, x(r.start + r.duration));
        p.setPen(Qt::NoPen);
        p.setBrush(marked ? kMarked : kBlock);
        p.drawRoundedRect(QRect(left, top + 3, right - left, kLineHeight - 6), 3, 3);
    }
    // The rests of the chosen competitor: from the end of one row down to the start of the
    // next, with the rest and the guideline written beside the link.
    p.setFont(font());
    for (const RestPair& rest : m_rests) {
        const int a = lineOf(rest.programNo1);
        const int b = lineOf(rest.programNo2);
        if (a < 0 || b < 0)
            continue;
        const TimelineRow& first = m_rows[a];
        const TimelineRow& second = m_rows[b];
        const bool tooShort = rest.factor < 100 && rest.desired > 0;
        const QColor colour = tooShort ? kShortRest : kEnoughRest;
        p.setPen(QPen(colour, 2));
        const QPoint from(x(first.start + first.duration), lineTop(a) + kLineHeight / 2);
        const QPoint to(x(second.start), lineTop(b) + kLineHeight / 2);
        const QPoint corner(from.x(), to.y());
        p.drawLine(from, corner);
        p.drawLine(corner, to);
        p.setBrush(colour);
        p.drawEllipse(to, 3, 3);
        const QString text = QStringLiteral("rest ") + minutesText(rest.actual * 1440.0) +
                             QStringLiteral(" of ") + minutesText(rest.desired * 1440.0) +
                             QStringLiteral(" min (") + QString::number(rest.factor, 'f', 0) +
                             QStringLiteral("%)");
        const int textX = std::max(from.x(), to.x()) + 8;
        p.drawText(QRect(textX, lineTop(b), 320, kLineHeight), Qt::AlignVCenter | Qt::AlignLeft,
                   text);
    }
    // The hours stay at the top of what is in view while a long day scrolls.
    const int scaleTop = visibleRegion().boundingRect().top();
    p.fillRect(QRect(0, scaleTop, width(), kScaleHeight - 4), palette().color(QPalette::Base));
    p.setPen(QColor(150, 150, 150));
    p.drawLine(0, scaleTop + kScaleHeight - 4, width(), scaleTop + kScaleHeight - 4);
    p.setPen(palette().color(QPalette::Text));
    for (double t = m_from; t <= m_to + 1e-9; t += kHour) {
        const int h = int(std::lround(t * 24)) % 24;
        p.drawText(QRect(x(t) - 30, scaleTop + 2, 60, kScaleHeight - 6), Qt::AlignCenter,
                   QStringLiteral("%1:00").arg(h, 2, 10, QLatin1Char('0')));
    }
}

} // namespace sched
