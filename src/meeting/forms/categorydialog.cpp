#include "meeting/forms/categorydialog.h"

#include "base/forms/buttontips.h"

#include "meeting/categories.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace meeting {

CategoryDialog::CategoryDialog(bool adding, const QString& code, const QString& description,
                               Check check, QWidget* parent)
    : QDialog(parent), m_check(std::move(check)), m_code(new QLineEdit(code, this)),
      m_description(new QLineEdit(description, this))
{
    setWindowTitle((adding ? QStringLiteral("Add an") : QStringLiteral("Edit the")) +
                   QStringLiteral(" Category"));
    m_code->setMaxLength(kCategoryCodeLength);
    m_description->setMaxLength(kCategoryDescriptionLength);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Category"), m_code);
    form->addRow(QStringLiteral("Description"), m_description);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CategoryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CategoryDialog::reject);
    base::explainButtons(buttons);
    form->addRow(buttons);
}

QString CategoryDialog::code() const
{
    return m_code->text().trimmed();
}

QString CategoryDialog::description() const
{
    return m_description->text().trimmed();
}

void CategoryDialog::accept()
{
    m_refusal = m_check ? m_check(code(), description()) : QString();
    if (m_refusal.isEmpty()) {
        QDialog::accept();
        return;
    }
    // Refused: the user corrects the field in place.
    (m_refusal.contains(QStringLiteral("escription")) ? m_description : m_code)->setFocus();
}

} // namespace meeting
