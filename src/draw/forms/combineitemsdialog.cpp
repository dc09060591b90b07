#include "draw/forms/combineitemsdialog.h"

#include "base/forms/buttontips.h"
#include "draw/combineditems.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace draw {

CombineItemsDialog::CombineItemsDialog(const QList<Offered>& offered, const QString& suggestedName,
                                       QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Combine Items"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Tick the &Items that run together as one race "
                                            "(selected items without heats):"),
                             this);
    layout->addWidget(intro);
    m_list = new QListWidget(this);
    for (const Offered& o : offered) {
        auto* item = new QListWidgetItem(o.title, m_list);
        item->setData(Qt::UserRole, o.eventNo);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    m_list->setMinimumWidth(420);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    intro->setBuddy(m_list);
    layout->addWidget(m_list);

    auto* nameRow = new QHBoxLayout;
    auto* nameLabel = new QLabel(QStringLiteral("&Name of the group:"), this);
    m_name = new QLineEdit(suggestedName, this);
    m_name->setMaxLength(CombinedItems::kMaxNameLength);
    m_name->setMaximumWidth(m_name->fontMetrics().horizontalAdvance(QStringLiteral("WWWW")) + 16);
    nameLabel->setBuddy(m_name);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(m_name);
    nameRow->addStretch();
    layout->addLayout(nameRow);

    m_hint = new QLabel(this);
    layout->addWidget(m_hint);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    layout->addWidget(buttons);
    connect(m_list, &QListWidget::itemChanged, this, [this] { updateOk(); });
    updateOk();
}

void CombineItemsDialog::setTicked(qint64 eventNo, bool ticked)
{
    for (int i = 0; i < m_list->count(); ++i)
        if (m_list->item(i)->data(Qt::UserRole).toLongLong() == eventNo)
            m_list->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

QList<qint64> CombineItemsDialog::ticked() const
{
    QList<qint64> result;
    for (int i = 0; i < m_list->count(); ++i)
        if (m_list->item(i)->checkState() == Qt::Checked)
            result.append(m_list->item(i)->data(Qt::UserRole).toLongLong());
    return result;
}

QString CombineItemsDialog::name() const
{
    return m_name->text().trimmed();
}

void CombineItemsDialog::updateOk()
{
    const qsizetype n = ticked().size();
    m_ok->setEnabled(n >= 2);
    m_hint->setText(m_list->count() < 2
                        ? QStringLiteral("There are not two selected items without heats to "
                                         "combine.")
                        : QString::number(n) + QStringLiteral(" ticked; tick at least two (Space "
                                                              "ticks the current item)."));
}

} // namespace draw
