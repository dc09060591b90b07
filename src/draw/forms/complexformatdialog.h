#pragma once

#include "draw/complexeditor.h"
#include "draw/events.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace draw {

// "Edit Heat Format": the rounds C, B and A of one event with their heats, places and
// times, beside the format the rules propose for the chosen athlete count. In the
// semis-with-places mode only round A is open.
class ComplexFormatDialog : public QDialog {
    Q_OBJECT
public:
    ComplexFormatDialog(Events& events, const HeatGroups& groups, ComplexEditor::Mode mode,
                        qint64 eventNo, QWidget* parent = nullptr);

    QLineEdit* cell(FormatRows::Row row, FormatRows::Column column) const;
    // The format as typed so far and what it means, shown under the rounds.
    QString typedFormat() const;
    QLabel* meaning() const { return m_meaning; }
    QString proposal() const { return m_proposal; }
    void setHeatsAreFinals(bool yes);
    void useEstimated(bool estimated);
    // Copies the proposed format into the rows ("Defaults").
    void fillDefaults();

    void accept() override;

private:
    void showProposal();
    void showMeaning();
    int athletes() const;

    Events& m_events;
    ComplexEditor m_editor;
    EventRow m_event;
    QString m_proposal;
    QLineEdit* m_cells[3][3];
    QLabel* m_proposalText;
    QLabel* m_meaning;
    QRadioButton* m_finalsNo;
    QRadioButton* m_finalsYes;
    QRadioButton* m_actual;
    QRadioButton* m_estimated;
};

} // namespace draw
