#pragma once

#include "draw/programeditor.h"

#include <QDialog>

class QLineEdit;

namespace draw {

// Day, time, sequence and pit of one program row; checked before it closes.
class ProgramRowDialog : public QDialog {
    Q_OBJECT
public:
    ProgramRowDialog(ProgramEditor& editor, QWidget* parent = nullptr);

    void setValues(const QString& day, const QString& time, const QString& seq, const QString& pit);
    const SlotEdit& edit() const { return m_edit; }
    void accept() override;

private:
    ProgramEditor& m_editor;
    SlotEdit m_edit;
    QLineEdit* m_day;
    QLineEdit* m_time;
    QLineEdit* m_seq;
    QLineEdit* m_pit;
};

} // namespace draw
