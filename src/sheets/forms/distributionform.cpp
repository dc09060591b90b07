#include "sheets/forms/distributionform.h"

#include "base/appglobals.h"
#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "meeting/meetingsettings.h"
#include "sheets/sheetkinds.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace sheets {

DistributionForm::DistributionForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run),
      m_distribution(*run.database(), run.messages(), run.meeting().meetingNo())
{
    setWindowTitle(run.globals().programTitle() + QStringLiteral(" :  Distribution List"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("One copy of a sheet is printed for each "
                                                "ticked line, with the line printed on it."),
                                 this));
    m_kinds = new QComboBox(this);
    for (const SheetKind& kind : sheetKinds())
        m_kinds->addItem(kind.displayName, kind.key);
    layout->addWidget(m_kinds);
    m_list = new QListWidget(this);
    layout->addWidget(m_list, 1);
    auto* grid = new QGridLayout;
    base::addActionButton(grid, 0, 0, QStringLiteral("&Add"),
                          tr("Adds a line: who gets a copy of this kind of sheet"),
                          [this] { addLine(); });
    base::addActionButton(grid, 0, 1, QStringLiteral("&Edit"),
                          tr("Changes the selected line (Enter)"), [this] { editLine(); });
    base::addActionButton(grid, 0, 2, QStringLiteral("De&lete"), tr("Deletes the selected line"),
                          [this] { deleteLine(); });
    base::addActionButton(grid, 1, 0, QStringLiteral("&Toggle"),
                          tr("Switches the selected line on or off (Space)"),
                          [this] { toggleLine(); });
    base::addActionButton(grid, 1, 1, QStringLiteral("Load &Defaults"),
                          tr("Adds the sample lines of this kind of sheet"),
                          [this] { loadDefaults(); });
    base::addActionButton(grid, 1, 2, QStringLiteral("Close"), base::closeTip(),
                          [this] { accept(); });
    layout->addLayout(grid);
    base::onListKey(m_list, Qt::Key_Space, [this] { toggleLine(); });
    base::onListKey(m_list, Qt::Key_Return, [this] { editLine(); });
    connect(m_kinds, &QComboBox::currentIndexChanged, this, [this] { reload(); });
    reload();
    base::resizeWithinDesktop(this, QSize(620, 420));
}

QString DistributionForm::currentKind() const
{
    return m_kinds->currentData().toString();
}

qint64 DistributionForm::currentLine() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toLongLong() : 0;
}

void DistributionForm::reload(qint64 select)
{
    m_list->clear();
    for (const DistributionLine& line : m_distribution.lines(currentKind())) {
        auto* item = new QListWidgetItem(line.text, m_list);
        item->setData(Qt::UserRole, line.dstrNo);
        item->setCheckState(line.active ? Qt::Checked : Qt::Unchecked);
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
        if (line.dstrNo == select)
            m_list->setCurrentItem(item);
    }
    if (!m_list->currentItem() && m_list->count() > 0)
        m_list->setCurrentRow(0);
}

void DistributionForm::addLine()
{
    QString text;
    if (!m_run.messages().askText(QStringLiteral("The line printed on the copy:"), &text))
        return;
    if (const qint64 key = m_distribution.add(currentKind(), text))
        reload(key);
}

void DistributionForm::editLine()
{
    const qint64 key = currentLine();
    if (key == 0)
        return;
    QString text = m_list->currentItem()->text();
    if (m_run.messages().askText(QStringLiteral("The line printed on the copy:"), &text) &&
        m_distribution.edit(key, text))
        reload(key);
}

void DistributionForm::deleteLine()
{
    const qint64 key = currentLine();
    if (key == 0)
        return;
    if (m_run.messages().confirm(QStringLiteral("Delete the distribution line \"") +
                                 m_list->currentItem()->text() + QStringLiteral("\"?")) &&
        m_distribution.remove(key))
        reload();
}

void DistributionForm::toggleLine()
{
    const qint64 key = currentLine();
    if (key != 0 && m_distribution.toggle(key))
        reload(key);
}

void DistributionForm::loadDefaults()
{
    if (m_distribution.loadDefaults(currentKind()) > 0)
        reload();
}

void openDistribution(QWidget* parent, base::Run& run)
{
    DistributionForm form(run, parent);
    form.exec();
}

} // namespace sheets
