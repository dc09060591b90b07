#pragma once

#include "draw/forms/manualdrawform.h"
#include "draw/roundfacts.h"

#include <QDialog>

class QComboBox;
class QListWidget;
class QRadioButton;

namespace base {
class Run;
}

namespace draw {

// "Draw Athletes Manually:  Menu": the round to work on and what to do with it.
class ManualDrawMenu : public QDialog {
    Q_OBJECT
public:
    explicit ManualDrawMenu(base::Run& run, qint64 eventNo = 0, const QString& round = {},
                            QWidget* parent = nullptr);

    QComboBox* rounds() const { return m_rounds; }
    QListWidget* actions() const { return m_actions; }
    // The chosen round; eventNo 0 when the program has none.
    EventRound chosenRound() const;
    ManualAction chosenAction() const;

private:
    QList<EventRound> m_list;
    QComboBox* m_rounds;
    QListWidget* m_actions;
};

// The menu, then the manual draw screen for the choice; again until the menu is closed.
void openManualDraw(QWidget* parent, base::Run& run, qint64 eventNo = 0, const QString& round = {});

} // namespace draw
