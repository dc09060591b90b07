#include "draw/forms/combinedgroupsform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/messages.h"
#include "draw/combineditems.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace draw {

namespace {

constexpr int kEventRole = Qt::UserRole;
constexpr int kGroupRole = Qt::UserRole + 1;

} // namespace

CombinedGroupsForm::CombinedGroupsForm(Events& events, QWidget* parent)
    : QDialog(parent), m_events(events)
{
    setWindowTitle(QStringLiteral("Combined Items"));
    auto* layout = new QVBoxLayout(this);
    m_tree = new QTreeWidget(this);
    m_tree->setHeaderLabels({QStringLiteral("Group / Item"), QStringLiteral("Day"),
                             QStringLiteral("Seq"), QStringLiteral("Time"), QStringLiteral("Pit")});
    m_tree->setRootIsDecorated(true);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_tree->setMinimumSize(560, 320);
    layout->addWidget(m_tree);
    auto* row = new QHBoxLayout;
    base::addActionButtons(
        row, {{QStringLiteral("Take Item &Out"), [this] { takeItemOut(); },
               QStringLiteral("The current item leaves its group and runs on its own")},
              {QStringLiteral("&Delete Group"), [this] { deleteGroup(); },
               QStringLiteral("Deletes the current group; only a group without items")}});
    row->addStretch();
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    layout->addWidget(buttons);
    base::onListKey(m_tree, Qt::Key_Delete, [this] {
        if (m_tree->currentItem() && m_tree->currentItem()->parent())
            takeItemOut();
        else
            deleteGroup();
    });
    refresh();
}

void CombinedGroupsForm::refresh()
{
    m_tree->clear();
    for (const CombinedGroup& g : CombinedItems(m_events).groups()) {
        auto* group = new QTreeWidgetItem(
            m_tree, {QStringLiteral("Group \"") + g.name + QStringLiteral("\" (") +
                         QString::number(g.eventNos.size()) + QStringLiteral(" items") +
                         (g.drawn() ? QStringLiteral(", drawn)") : QStringLiteral(")")),
                     QString::number(g.daySeq), QString::number(g.seq), g.time, g.pit});
        group->setData(0, kGroupRole, g.combinedNo);
        for (qint64 e : g.eventNos) {
            // A drawn item stays in its race until its draw is cleared.
            auto* item = new QTreeWidgetItem(
                group, {m_events.eventTitle(e) +
                        (g.drawnEventNos.contains(e) ? QStringLiteral("  [drawn]") : QString())});
            item->setData(0, kGroupRole, g.combinedNo);
            item->setData(0, kEventRole, e);
        }
    }
    m_tree->expandAll();
    for (int c = 1; c < m_tree->columnCount(); ++c)
        m_tree->resizeColumnToContents(c);
    if (m_tree->topLevelItemCount() > 0)
        m_tree->setCurrentItem(m_tree->topLevelItem(0));
}

void CombinedGroupsForm::takeItemOut()
{
    QTreeWidgetItem* current = m_tree->currentItem();
    if (!current || !current->parent()) {
        m_events.messages().warning(QStringLiteral("Select the Item to take out of its group"));
        return;
    }
    if (CombinedItems(m_events).uncombine(current->data(0, kEventRole).toLongLong()))
        refresh();
}

void CombinedGroupsForm::deleteGroup()
{
    QTreeWidgetItem* current = m_tree->currentItem();
    if (!current) {
        m_events.messages().warning(QStringLiteral("Select the group to delete"));
        return;
    }
    if (CombinedItems(m_events).deleteGroup(current->data(0, kGroupRole).toLongLong()))
        refresh();
}

} // namespace draw
