#pragma once

#include <QGroupBox>
#include <QList>

class QButtonGroup;

namespace meeting {

// A question answered by one of a few buttons ("No" / "Yes"), each standing for a stored
// value. No button is checked until the user answers or a value is set.
class ChoiceGroup : public QGroupBox {
    Q_OBJECT
public:
    struct Choice {
        QString label;
        QString value;
    };
    ChoiceGroup(const QString& question, const QList<Choice>& choices, QWidget* parent = nullptr);

    // The value of the checked button; empty while unanswered.
    QString value() const;
    void setValue(const QString& value);
    // Checks the button with this label, as a click would.
    void choose(const QString& label);

    static QList<Choice> noYes();

signals:
    void changed();

private:
    QList<Choice> m_choices;
    QButtonGroup* m_group;
};

} // namespace meeting
