#include "meeting/forms/editperf.h"

#include "base/forms/buttontips.h"

#include "base/messages.h"
#include "meeting/itemtypes.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace meeting {

namespace {

// The item's mask as a Qt input mask: every "9" a digit that may be left open, ":" and
// "." literal characters kept in the text.
QString inputMaskOf(const QString& perfMask)
{
    QString mask = perfMask;
    mask.replace(QLatin1Char('9'), QLatin1Char('0'));
    return mask;
}

} // namespace

EditPerf::EditPerf(const ItemTypes& items, const QString& itemCode, const QString& what,
                   const QString& current, QWidget* parent)
    : QDialog(parent), m_items(items), m_itemCode(itemCode)
{
    // Mixed ages can be written in more than one format (a 300 m below 15 and above).
    if (items.ItemAge(itemCode) == QLatin1String("99")) {
        items.messages().internalError(
            20040, QStringLiteral("Filter out mixed before you get here:") + itemCode);
    }
    setWindowTitle(QStringLiteral("Edit ") + what);
    auto* layout = new QVBoxLayout(this);
    m_formatLabel =
        new QLabel(QLatin1Char('(') + items.PerfFormatName(itemCode) + QLatin1Char(')'), this);
    layout->addWidget(m_formatLabel);
    m_input = new QLineEdit(this);
    m_input->setInputMask(inputMaskOf(items.PerfMask(itemCode)));
    m_input->setText(current);
    m_input->setCursorPosition(0);
    layout->addWidget(m_input);
    auto* buttons = new QDialogButtonBox(this);
    m_accept = buttons->addButton(QStringLiteral("Accept"), QDialogButtonBox::AcceptRole);
    m_accept->setDefault(true);
    m_accept->setToolTip(tr("Keeps the performance typed, when it is valid (Enter)"));
    buttons->addButton(QDialogButtonBox::Cancel);
    base::explainButtons(buttons);
    layout->addWidget(buttons);
    connect(m_accept, &QPushButton::clicked, this, &EditPerf::tryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_input->setFocus();
}

void EditPerf::tryAccept()
{
    const QString text = ItemTypes::FixDecimalComma(m_input->text());
    if (ItemTypes::PerfIsBlank(text)) {
        m_performance = QString();
        accept();
        return;
    }
    if (m_items.CheckPerfFormat(m_itemCode, text, true)) {
        m_performance = text;
        accept();
        return;
    }
    m_input->setFocus();
}

std::optional<QString> EditPerf::edit(const ItemTypes& items, const QString& itemCode,
                                      const QString& what, const QString& current, QWidget* parent)
{
    EditPerf dialog(items, itemCode, what, current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.performance();
}

} // namespace meeting
