#include "records/forms/recorddialog.h"

#include "base/forms/buttontips.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace records {

RecordDialog::RecordDialog(Mode mode, const QString& title, QWidget* parent)
    : QDialog(parent), m_surname(new QLineEdit(this)), m_firstName(new QLineEdit(this)),
      m_team(new QLineEdit(this)), m_date(new QLineEdit(this))
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    if (mode == Mode::NewRecord) {
        m_item = new QLineEdit(this);
        m_item->setMaxLength(26);
        m_item->setPlaceholderText(QStringLiteral("item code"));
        form->addRow(QStringLiteral("&Item"), m_item);
    }
    if (mode != Mode::CoHolder) {
        m_record = new QLineEdit(this);
        m_record->setMaxLength(12);
        form->addRow(QStringLiteral("&Record"), m_record);
    }
    m_date->setPlaceholderText(QStringLiteral("yyyy/mm/dd"));
    m_date->setMaxLength(10);
    form->addRow(QStringLiteral("&Surname"), m_surname);
    form->addRow(QStringLiteral("&Name"), m_firstName);
    form->addRow(QStringLiteral("&Team"), m_team);
    form->addRow(QStringLiteral("&Date"), m_date);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    layout->addWidget(buttons);
    setMinimumWidth(360);
    // Tab walks the fields top to bottom; the holder's fields were made before the item's.
    QWidget* previous = nullptr;
    for (QWidget* field : {static_cast<QWidget*>(m_item), static_cast<QWidget*>(m_record),
                           static_cast<QWidget*>(m_surname), static_cast<QWidget*>(m_firstName),
                           static_cast<QWidget*>(m_team), static_cast<QWidget*>(m_date)}) {
        if (!field)
            continue;
        if (previous)
            setTabOrder(previous, field);
        previous = field;
    }
    setTabOrder(previous, buttons);
    (m_item ? m_item : m_record ? m_record : m_surname)->setFocus();
}

void RecordDialog::setItemCode(const QString& itemCode)
{
    if (m_item)
        m_item->setText(itemCode);
}

void RecordDialog::setRecord(const QString& record)
{
    if (m_record)
        m_record->setText(record);
}

void RecordDialog::setHolder(const RecordHolder& holder)
{
    m_surname->setText(holder.surname);
    m_firstName->setText(holder.firstName);
    m_team->setText(holder.team);
    m_date->setText(holder.date);
}

QString RecordDialog::itemCode() const
{
    return m_item ? m_item->text().trimmed() : QString(); // the records take its spelling
}

QString RecordDialog::record() const
{
    return m_record ? m_record->text().trimmed() : QString();
}

RecordHolder RecordDialog::holder() const
{
    return {m_surname->text().trimmed(), m_firstName->text().trimmed(), m_team->text().trimmed(),
            m_date->text().trimmed()};
}

QLineEdit* RecordDialog::field(const QString& name) const
{
    if (name == QLatin1String("Item"))
        return m_item;
    if (name == QLatin1String("Record"))
        return m_record;
    if (name == QLatin1String("Surname"))
        return m_surname;
    if (name == QLatin1String("Name"))
        return m_firstName;
    if (name == QLatin1String("Team"))
        return m_team;
    if (name == QLatin1String("Date"))
        return m_date;
    return nullptr;
}

} // namespace records
