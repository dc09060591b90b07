#pragma once

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace meeting {

class ItemTypes;

// The one dialog through which a single performance is typed: the item's mask, the
// format's description, and on "Accept" the exact canonical text or nothing at all. It
// edits a value; the caller stores it.
class EditPerf : public QDialog {
    Q_OBJECT
public:
    // `what` completes the caption "Edit " + what; `current` is the text to start from.
    EditPerf(const ItemTypes& items, const QString& itemCode, const QString& what,
             const QString& current, QWidget* parent = nullptr);

    // The accepted text: empty for a blank entry; no value unless accepted.
    const std::optional<QString>& performance() const { return m_performance; }

    QLineEdit* input() const { return m_input; }
    QLabel* formatLabel() const { return m_formatLabel; }
    QPushButton* acceptButton() const { return m_accept; }

    // Shows the dialog modally and returns what was accepted.
    static std::optional<QString> edit(const ItemTypes& items, const QString& itemCode,
                                       const QString& what, const QString& current,
                                       QWidget* parent = nullptr);

public slots:
    void tryAccept();

private:
    const ItemTypes& m_items;
    QString m_itemCode;
    QLineEdit* m_input;
    QLabel* m_formatLabel;
    QPushButton* m_accept;
    std::optional<QString> m_performance;
};

} // namespace meeting
