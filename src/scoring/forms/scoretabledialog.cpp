#include "scoring/forms/scoretabledialog.h"

#include "base/forms/buttontips.h"
#include "base/forms/screensize.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QVBoxLayout>

namespace scoring {

namespace {

QSpinBox* scoreBox(int value, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setRange(0, 1400);
    box->setValue(value);
    return box;
}

} // namespace

ScoreTableDialog::ScoreTableDialog(const QString& items, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Print Score Table"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_items = new QLineEdit(items, this);
    m_items->setPlaceholderText(QStringLiteral("Item codes, e.g. SHD____100M25 JMPHigh___F25"));
    form->addRow(QStringLiteral("&Items"), m_items);
    m_from = scoreBox(500, this);
    m_to = scoreBox(1000, this);
    m_step = scoreBox(10, this);
    m_step->setMinimum(1);
    form->addRow(QStringLiteral("&From"), m_from);
    form->addRow(QStringLiteral("&To"), m_to);
    form->addRow(QStringLiteral("&Step"), m_step);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setToolTip(tr("Shows the score table to print"));
    base::explainButtons(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    base::resizeWithinDesktop(this, QSize(520, 200));
}

QStringList ScoreTableDialog::itemCodes() const
{
    return m_items->text().split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
}

} // namespace scoring
