#include "draw/forms/additemdialog.h"

#include "base/forms/buttontips.h"

#include "meeting/genderage.h"
#include "meeting/itemtypes.h"
#include "meeting/itemvocabulary.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace draw {

AddItemDialog::AddItemDialog(const meeting::ItemTypes& items, QWidget* parent)
    : QDialog(parent), m_items(items)
{
    setWindowTitle(QStringLiteral("Add Item"));
    auto* form = new QFormLayout(this);
    m_group = new QComboBox(this);
    for (const meeting::vocabulary::Group& g : meeting::vocabulary::groups(items.edition()))
        m_group->addItem(QString::fromLatin1(g.english), QString::fromLatin1(g.code));
    m_type = new QComboBox(this);
    m_gender = new QComboBox(this);
    m_gender->addItem(QStringLiteral("Boys"), QStringLiteral("M"));
    m_gender->addItem(QStringLiteral("Girls"), QStringLiteral("F"));
    m_gender->addItem(QStringLiteral("Both (2Gender)"), QStringLiteral("T"));
    m_age = new QSpinBox(this);
    // The lowest age of an item keeps a first typed digit ("1" of "11") from counting as an
    // age of its own while the second is on its way.
    m_age->setRange(meeting::kMinimumAge, kMixedAges);
    m_age->setValue(12);
    m_age->setSpecialValueText(QString());
    m_code = new QLabel(this);
    form->addRow(QStringLiteral("Stroke"), m_group);
    form->addRow(QStringLiteral("Distance"), m_type);
    form->addRow(QStringLiteral("Gender"), m_gender);
    form->addRow(QStringLiteral("Age (99: mixed ages)"), m_age);
    form->addRow(QStringLiteral("Item"), m_code);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    form->addRow(buttons);
    connect(m_group, &QComboBox::currentIndexChanged, this, [this] { fillTypes(); });
    connect(m_type, &QComboBox::currentIndexChanged, this, [this] { showCode(); });
    connect(m_gender, &QComboBox::currentIndexChanged, this, [this] { showCode(); });
    connect(m_age, &QSpinBox::valueChanged, this, [this] { showCode(); });
    fillTypes();
}

void AddItemDialog::fillTypes()
{
    // The list is empty for a moment while it is refilled: no code to describe until it is full.
    const QSignalBlocker quiet(m_type);
    m_type->clear();
    if (const auto* types = meeting::vocabulary::typesOf(m_group->currentData().toString())) {
        for (const meeting::vocabulary::Type& t : *types)
            m_type->addItem(t.name, t.code);
    }
    showCode();
}

QString AddItemDialog::itemCode() const
{
    return m_group->currentData().toString() + m_type->currentData().toString() +
           m_gender->currentData().toString() +
           QString::number(m_age->value()).rightJustified(2, QLatin1Char('0')) +
           (m_items.isSwimming() ? QStringLiteral("W") : QString());
}

bool AddItemDialog::ageIsValid() const
{
    const int age = m_age->value();
    return age == kMixedAges || (age >= meeting::kMinimumAge && age <= meeting::kMaximumAge);
}

void AddItemDialog::showCode()
{
    // An age between the oldest and the mixed ages names no item: say so here instead of
    // describing a code that does not exist.
    m_ok->setEnabled(ageIsValid());
    if (!ageIsValid()) {
        m_code->setText(QStringLiteral("The age must be between ") +
                        QString::number(meeting::kMinimumAge) + QStringLiteral(" and ") +
                        QString::number(meeting::kMaximumAge) + QStringLiteral(", or 99"));
        return;
    }
    m_code->setText(m_items.ItemDescription(itemCode(), false) + QStringLiteral("   (") +
                    itemCode() + QStringLiteral(")"));
}

} // namespace draw
