#include "sheets/forms/sheetpainter.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace sheets {

namespace {

class PagePainter {
public:
    PagePainter(QPainter& painter, QPagedPaintDevice& device, const SheetHeading& heading)
        : m_painter(painter), m_device(device), m_heading(heading)
    {
    }

    void paint(const SheetPage& page, bool first);

private:
    void setUp();
    int heading(const SheetPage& page);
    int tableHeader(const SheetPage& page, int y);
    int footer(const SheetPage& page);
    void newPage(const SheetPage& page);
    QList<int> columnX(const SheetPage& page) const;

    QPainter& m_painter;
    QPagedPaintDevice& m_device;
    const SheetHeading& m_heading;
    QRect m_page;
    QFont m_body;
    int m_line = 0;
};

void PagePainter::setUp()
{
    // A page of another orientation has another size: the painter follows the device.
    m_page = QRect(0, 0, m_device.width(), m_device.height());
    m_painter.setViewport(m_page);
    m_painter.setWindow(m_page);
    m_body = QFont(QStringLiteral("Sans Serif"), 10);
    m_line = QFontMetrics(m_body, &m_device).lineSpacing();
}

QList<int> PagePainter::columnX(const SheetPage& page) const
{
    QList<int> widths = page.widths;
    while (widths.size() < page.columns.size())
        widths << 8;
    int total = 0;
    for (int i = 0; i < page.columns.size(); ++i)
        total += widths[i];
    QList<int> x{0};
    int sum = 0;
    for (int i = 0; i < page.columns.size(); ++i) {
        sum += widths[i];
        x << m_page.width() * sum / std::max(1, total);
    }
    return x;
}

// The logos, the meeting, the event and what tells the copies apart; returns where the
// table starts.
int PagePainter::heading(const SheetPage& page)
{
    const int logoHeight = m_line * 4;
    auto drawLogo = [&](const QImage& logo, bool left) {
        if (logo.isNull())
            return;
        const QImage scaled = logo.scaledToHeight(logoHeight, Qt::SmoothTransformation);
        const int w = std::min<int>(scaled.width(), m_page.width() / 5);
        m_painter.drawImage(QRect(left ? 0 : m_page.width() - w, 0, w, logoHeight), scaled);
    };
    drawLogo(m_heading.leftLogo, true);
    drawLogo(m_heading.rightLogo, false);
    const int textLeft = m_page.width() / 5 + m_line / 2;
    const QRect middle(textLeft, 0, m_page.width() - 2 * textLeft, logoHeight);
    QFont small = m_body;
    small.setPointSize(9);
    QFont big = m_body;
    big.setPointSize(15);
    big.setBold(true);
    m_painter.setFont(small);
    m_painter.drawText(QRect(middle.x(), 0, middle.width(), m_line), Qt::AlignHCenter,
                       m_heading.meeting);
    m_painter.setFont(big);
    const int bigLine = QFontMetrics(big, &m_device).lineSpacing();
    m_painter.drawText(QRect(middle.x(), m_line, middle.width(), bigLine * 2),
                       Qt::AlignHCenter | Qt::TextWordWrap, page.event);
    int y = logoHeight + m_line / 2;
    if (page.title != page.event) {
        QFont title = m_body;
        title.setPointSize(12);
        title.setBold(true);
        m_painter.setFont(title);
        m_painter.drawText(QRect(0, y, m_page.width(), m_line * 2), Qt::AlignLeft, page.title);
    }
    m_painter.setFont(m_body);
    m_painter.drawText(QRect(0, y, m_page.width(), m_line * 2), Qt::AlignRight, page.printed);
    y += m_line * 3 / 2;
    QFont bold = m_body;
    bold.setBold(true);
    m_painter.setFont(bold);
    m_painter.drawText(QRect(0, y, m_page.width(), m_line), Qt::AlignLeft,
                       page.facts.join(QStringLiteral("     ")));
    y += m_line;
    m_painter.setFont(m_body);
    for (const QString& note : page.notes) {
        m_painter.drawText(QRect(0, y, m_page.width(), m_line), Qt::AlignLeft, note);
        y += m_line;
    }
    if (!page.distribution.isEmpty()) {
        y += m_line / 4;
        const QRect box(0, y, m_page.width(), m_line * 3 / 2);
        m_painter.drawRect(box);
        m_painter.setFont(bold);
        m_painter.drawText(box.adjusted(m_line / 2, 0, -m_line / 2, 0),
                           Qt::AlignVCenter | Qt::AlignLeft, page.distribution);
        m_painter.setFont(m_body);
        y += box.height();
    }
    return y + m_line / 2;
}

int PagePainter::tableHeader(const SheetPage& page, int y)
{
    const QList<int> x = columnX(page);
    QFont bold = m_body;
    bold.setBold(true);
    m_painter.setFont(bold);
    const int h = m_line * 3 / 2;
    for (int c = 0; c < page.columns.size(); ++c) {
        const QRect cell(x[c], y, x[c + 1] - x[c], h);
        m_painter.drawRect(cell);
        m_painter.drawText(cell, Qt::AlignCenter, page.columns[c]);
    }
    m_painter.setFont(m_body);
    return y + h;
}

// The boxes and signatures at the bottom; returns the top of what it drew.
int PagePainter::footer(const SheetPage& page)
{
    int bottom = m_page.height();
    if (!page.signatures.isEmpty()) {
        const int h = m_line * 3;
        const QStringList& labels = page.signatures;
        const int w = m_page.width() / int(labels.size());
        for (int i = 0; i < labels.size(); ++i) {
            const QRect box(i * w, bottom - h, w, h);
            m_painter.drawRect(box);
            m_painter.drawText(box.adjusted(m_line / 3, m_line / 6, 0, 0),
                               Qt::AlignTop | Qt::AlignLeft, labels[i]);
        }
        bottom -= h + m_line / 2;
    }
    for (qsizetype i = page.boxes.size() - 1; i >= 0; --i) {
        const int h = m_line * 2;
        const QRect box(0, bottom - h, m_page.width(), h);
        m_painter.drawRect(box);
        m_painter.drawText(box.adjusted(m_line / 3, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                           page.boxes[i]);
        bottom -= h + m_line / 3;
    }
    return bottom;
}

void PagePainter::newPage(const SheetPage& page)
{
    m_device.setPageOrientation(page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    m_device.newPage();
    setUp();
}

void PagePainter::paint(const SheetPage& page, bool first)
{
    if (!first)
        newPage(page);
    else
        setUp();
    int y = heading(page);
    int bottom = footer(page);
    y = tableHeader(page, y);
    const QList<int> x = columnX(page);
    // Group bands take their room before the rows share the rest.
    const bool grouped = std::any_of(page.rows.cbegin(), page.rows.cend(),
                                     [](const SheetRow& row) { return !row.group.isEmpty(); });
    const int detail = bottom - y - (grouped ? m_line * 3 / 2 : 0);
    // Rows that are written on by hand take the room the page has, up to three lines each.
    const int rowHeight =
        page.rowUnits > 0
            ? std::max(m_line * 2, detail * page.rowUnits / kDetailUnits)
            : std::clamp(detail / std::max<int>(1, int(page.rows.size())), m_line * 2, m_line * 3);
    QFont bold = m_body;
    bold.setBold(true);
    QString group;
    for (const SheetRow& row : page.rows) {
        const bool heads = !row.group.isEmpty() && row.group != group;
        const int needed = rowHeight + (heads ? m_line * 3 / 2 : 0);
        if (y + needed > bottom) {
            newPage(page);
            y = heading(page);
            bottom = footer(page);
            y = tableHeader(page, y);
            group.clear();
        }
        if (!row.group.isEmpty() && row.group != group) {
            group = row.group;
            m_painter.setFont(bold);
            const QRect band(0, y, m_page.width(), m_line * 3 / 2);
            m_painter.fillRect(band, QColor(230, 230, 230));
            m_painter.drawRect(band);
            m_painter.drawText(band.adjusted(m_line / 2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                               group);
            m_painter.setFont(m_body);
            y += band.height();
        }
        for (int c = 0; c < page.columns.size(); ++c) {
            const QRect cell(x[c], y, x[c + 1] - x[c], rowHeight);
            m_painter.drawRect(cell);
            if (c < row.cells.size() && !row.cells[c].isEmpty())
                m_painter.drawText(cell.adjusted(m_line / 4, 0, -m_line / 4, 0),
                                   Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap,
                                   row.cells[c]);
        }
        y += rowHeight;
    }
}

} // namespace

void paintSheets(QPagedPaintDevice& device, const QList<SheetPage>& pages,
                 const SheetHeading& heading)
{
    if (pages.isEmpty())
        return;
    device.setPageOrientation(pages.first().landscape ? QPageLayout::Landscape
                                                      : QPageLayout::Portrait);
    QPainter painter(&device);
    PagePainter pagePainter(painter, device, heading);
    for (qsizetype i = 0; i < pages.size(); ++i)
        pagePainter.paint(pages[i], i == 0);
}

} // namespace sheets
