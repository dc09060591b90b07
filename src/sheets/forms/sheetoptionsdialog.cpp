#include "sheets/forms/sheetoptionsdialog.h"

#include "base/appglobals.h"
#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/run.h"
#include "sheets/forms/distributionform.h"
#include "sheets/sheetoptions.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sheets {

SheetOptionsDialog::SheetOptionsDialog(base::Run& run, const QString& title, QWidget* parent)
    : QDialog(parent), m_run(run)
{
    setWindowTitle(run.globals().programTitle() + QStringLiteral(" :  Sheet options"));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(title, this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    for (const SheetOptionBox& option : sheetOptionBoxes()) {
        auto* check = new QCheckBox(option.caption, this);
        check->setObjectName(option.column);
        check->setChecked(boxTicked(run.meeting(), option));
        connect(check, &QCheckBox::toggled, this, [this, option, check](bool ticked) {
            if (!setBox(m_run, option, ticked)) {
                // Refused: show what is stored.
                const QSignalBlocker block(check);
                check->setChecked(boxTicked(m_run.meeting(), option));
            }
        });
        layout->addWidget(check);
        m_boxes << check;
    }
    auto* buttons = new QHBoxLayout;
    base::addActionButton(buttons, QStringLiteral("&Distribution..."),
                          tr("Opens the list of who gets a copy of each sheet"),
                          [this] { openDistribution(this, m_run); });
    buttons->addStretch();
    auto* print =
        base::addActionButton(buttons, QStringLiteral("&Print"),
                              tr("Prints with the options ticked (Enter)"), [this] { accept(); });
    print->setDefault(true);
    base::addActionButton(buttons, QStringLiteral("Cancel"),
                          tr("Prints nothing; the options ticked stay set (Esc)"),
                          [this] { reject(); });
    layout->addLayout(buttons);
}

QCheckBox* SheetOptionsDialog::box(const QString& column) const
{
    for (QCheckBox* b : m_boxes) {
        if (b->objectName() == column)
            return b;
    }
    return nullptr;
}

} // namespace sheets
