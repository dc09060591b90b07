#include "draw/forms/programrowdialog.h"

#include "base/forms/buttontips.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace draw {

ProgramRowDialog::ProgramRowDialog(ProgramEditor& editor, QWidget* parent)
    : QDialog(parent), m_editor(editor)
{
    setWindowTitle(QStringLiteral("Edit Program Row"));
    auto* form = new QFormLayout(this);
    m_day = new QLineEdit(this);
    m_time = new QLineEdit(this);
    m_time->setPlaceholderText(QStringLiteral("hhmm"));
    m_seq = new QLineEdit(this);
    m_pit = new QLineEdit(this);
    m_pit->setMaxLength(6);
    form->addRow(QStringLiteral("Day"), m_day);
    form->addRow(QStringLiteral("Time"), m_time);
    form->addRow(QStringLiteral("Sequence"), m_seq);
    form->addRow(QStringLiteral("Pit"), m_pit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ProgramRowDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    form->addRow(buttons);
}

void ProgramRowDialog::setValues(const QString& day, const QString& time, const QString& seq,
                                 const QString& pit)
{
    m_day->setText(day);
    m_time->setText(time);
    m_seq->setText(seq);
    m_pit->setText(pit);
}

void ProgramRowDialog::accept()
{
    // A failed check keeps the dialog open with the row unchanged.
    SlotEdit edit;
    if (!(edit.day = m_editor.parseDay(m_day->text())))
        return;
    if (!m_time->text().trimmed().isEmpty() && !(edit.time = m_editor.parseTime(m_time->text())))
        return;
    if (!(edit.seq = m_editor.parseSeq(m_seq->text())))
        return;
    edit.pit = m_pit->text();
    m_edit = edit;
    QDialog::accept();
}

} // namespace draw
