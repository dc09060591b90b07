#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QSpinBox;

namespace scoring {

// "Print Score Table": the items to print and the scores From, To and Step; the calculator's
// score table, height and timing go with them.
class ScoreTableDialog : public QDialog {
    Q_OBJECT
public:
    ScoreTableDialog(const QString& items, QWidget* parent = nullptr);

    QLineEdit* items() const { return m_items; }
    QSpinBox* from() const { return m_from; }
    QSpinBox* to() const { return m_to; }
    QSpinBox* step() const { return m_step; }
    // The item codes typed, separated by spaces or commas.
    QStringList itemCodes() const;

private:
    QLineEdit* m_items = nullptr;
    QSpinBox* m_from = nullptr;
    QSpinBox* m_to = nullptr;
    QSpinBox* m_step = nullptr;
};

} // namespace scoring
