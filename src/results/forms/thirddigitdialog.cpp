#include "results/forms/thirddigitdialog.h"

#include "base/forms/buttontips.h"
#include "base/forms/screensize.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace results {

namespace {
enum Column { Athlete, Performance, Digit, Time, ColumnCount };
}

ThirdDigitDialog::ThirdDigitDialog(const QList<ThirdDigitLine>& lines, QWidget* parent)
    : QDialog(parent), m_lines(lines)
{
    setWindowTitle(QStringLiteral("Edit ThirdDigit  (Rarely used)"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("The athletes with equal times.  Enter a digit for each of them."), this));
    m_table = new QTableWidget(int(lines.size()), ColumnCount, this);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Athlete"), QStringLiteral("Performance"),
                                        QStringLiteral("Digit"), QStringLiteral("Time")});
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(Athlete, QHeaderView::Stretch);
    for (int r = 0; r < lines.size(); ++r) {
        auto fixed = [](const QString& text) {
            auto* item = new QTableWidgetItem(text);
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            return item;
        };
        m_table->setItem(r, Athlete, fixed(lines[r].caption));
        m_table->setItem(r, Performance, fixed(lines[r].performance));
        m_table->setItem(r, Digit, new QTableWidgetItem(lines[r].thirdDigit));
        m_table->setItem(r, Time, fixed(lines[r].threeDecimals));
    }
    layout->addWidget(m_table);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    layout->addWidget(buttons);
    if (!lines.isEmpty())
        m_table->setCurrentCell(0, Digit);
    base::resizeWithinDesktop(this, QSize(560, 300));
}

QList<ThirdDigitLine> ThirdDigitDialog::lines() const
{
    QList<ThirdDigitLine> out = m_lines;
    for (int r = 0; r < out.size(); ++r)
        out[r].thirdDigit = m_table->item(r, Digit)->text().trimmed();
    return out;
}

} // namespace results
