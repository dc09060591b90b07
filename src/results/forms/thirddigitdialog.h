#pragma once

#include "results/thirddigits.h"

#include <QDialog>

class QTableWidget;

namespace results {

// The grid of equal times: each athlete's third digit beside the time it makes. It edits
// the lines and hands them back; the caller stores them.
class ThirdDigitDialog : public QDialog {
    Q_OBJECT
public:
    ThirdDigitDialog(const QList<ThirdDigitLine>& lines, QWidget* parent = nullptr);

    QList<ThirdDigitLine> lines() const;
    QTableWidget* table() const { return m_table; }

private:
    QList<ThirdDigitLine> m_lines;
    QTableWidget* m_table;
};

} // namespace results
