// The combine dialog and the groups screen, driven from the keyboard.

#include "drawnfield.h"

#include "db/sqltext.h"
#include "draw/combineditems.h"
#include "draw/drawall.h"
#include "draw/forms/combinedgroupsform.h"
#include "draw/forms/combineitemsdialog.h"
#include "draw/forms/selectitemsform.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace draw;

namespace {

class CombineScreensTest : public DrawnFieldTest {
protected:
    void SetUp() override
    {
        DrawnFieldTest::SetUp();
        m_a = addSelected("FRE____100M13W");
        m_b = addSelected("FRE____100M14W");
        m_heats = addSelected("FRE____100M15W");
        saveFormat(m_heats, "2,3,2");
    }
    int tableRowOf(SelectItemsForm& form, qint64 eventNo)
    {
        for (int r = 0; r < form.table()->rowCount(); ++r)
            if (form.events().list()[r].eventNo == eventNo)
                return r;
        return -1;
    }
    qint64 groupOf(qint64 eventNo)
    {
        return value("select COMBINEDNO from MYEVENT where EVENTNO = " + db::sqlInt(eventNo))
            .toLongLong();
    }
    static QPushButton* okOf(QDialog* dialog)
    {
        return dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    }

    qint64 m_a = 0;
    qint64 m_b = 0;
    qint64 m_heats = 0;
};

TEST_F(CombineScreensTest, TickingTwoItemsWithTheKeyboardCombinesThem)
{
    SelectItemsForm form(run());
    form.show();
    const int row = tableRowOf(form, m_a);
    ASSERT_GE(row, 0);
    form.table()->selectRow(row);
    QStringList offered;
    bool okWithOne = true;
    bool okWithTwo = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CombineItemsDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        QListWidget* list = dialog->list();
        for (int i = 0; i < list->count(); ++i)
            offered.append(list->item(i)->text());
        // The item chosen on the items screen comes ticked.
        okWithOne = okOf(dialog)->isEnabled();
        list->setFocus();
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->checkState() != Qt::Checked)
                list->setCurrentRow(i);
        QTest::keyClick(list, Qt::Key_Space);
        okWithTwo = okOf(dialog)->isEnabled();
        auto* name = dialog->findChild<QLineEdit*>();
        name->selectAll();
        QTest::keyClicks(name, "M1314");
        QTest::keyClick(name, Qt::Key_Return);
    });
    form.combineItems();
    // Only the selected items without heats are offered.
    EXPECT_EQ(offered, (QStringList{m_events->eventTitle(m_a), m_events->eventTitle(m_b)}));
    EXPECT_FALSE(okWithOne);
    EXPECT_TRUE(okWithTwo);
    const qint64 group = groupOf(m_a);
    ASSERT_GT(group, 0);
    EXPECT_EQ(groupOf(m_b), group);
    EXPECT_EQ(groupOf(m_heats), 0);
    // The name box takes three characters.
    EXPECT_EQ(value("select NAME from COMBINED"), "M13");
    EXPECT_TRUE(m_sink.saw("Done: the ticked Items run together as Combined Item \"M13\"."));
    // The items screen names the group beside each of its items, and only there.
    EXPECT_TRUE(
        form.table()->item(tableRowOf(form, m_b), 1)->text().endsWith("[combined \"M13\"]"));
    EXPECT_FALSE(form.table()->item(tableRowOf(form, m_heats), 1)->text().contains("combined"));
}

TEST_F(CombineScreensTest, EscapeCombinesNothing)
{
    SelectItemsForm form(run());
    form.show();
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CombineItemsDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        opened = true;
        for (qint64 e : {m_a, m_b})
            dialog->setTicked(e, true);
        QTest::keyClick(dialog->list(), Qt::Key_Escape);
    });
    form.combineItems();
    EXPECT_TRUE(opened);
    EXPECT_EQ(count("COMBINED"), 0);
    EXPECT_EQ(count("MYEVENT", "COMBINEDNO > 0"), 0);
}

TEST_F(CombineScreensTest, TheGroupsScreenTakesItemsOutAndDeletesOnlyAnEmptyGroup)
{
    const qint64 group = CombinedItems(*m_events).combine({m_a, m_b}, "G");
    ASSERT_GT(group, 0);
    CombinedGroupsForm form(*m_events);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTreeWidget* tree = form.tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* top = tree->topLevelItem(0);
    EXPECT_EQ(top->text(0), "Group \"G\" (2 items)");
    ASSERT_EQ(top->childCount(), 2);
    EXPECT_EQ(top->child(0)->text(0), m_events->eventTitle(m_a));

    // Delete on the group: refused while it has items.
    tree->setFocus();
    tree->setCurrentItem(top);
    QTest::keyClick(tree, Qt::Key_Delete);
    EXPECT_TRUE(m_sink.saw("still has 2 Items."));
    EXPECT_EQ(count("COMBINED"), 1);

    // Delete on an item takes it out of its group.
    for (int i = 0; i < 2; ++i) {
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        QTest::keyClick(tree, Qt::Key_Delete);
    }
    EXPECT_EQ(count("MYEVENT", "COMBINEDNO > 0"), 0);
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Group \"G\" (0 items)");
    tree->setCurrentItem(tree->topLevelItem(0));
    QTest::keyClick(tree, Qt::Key_Delete);
    EXPECT_EQ(count("COMBINED"), 0);
    EXPECT_EQ(tree->topLevelItemCount(), 0);
}

// A drawn race keeps its items: the screen shows it drawn and refuses to take one out
// until that item's draw is cleared.
TEST_F(CombineScreensTest, TheItemsOfADrawnRaceStayInTheirGroup)
{
    const qint64 group = CombinedItems(*m_events).combine({m_a, m_b}, "G");
    ASSERT_GT(group, 0);
    enterField(m_a, 3, true);
    enterField(m_b, 2, true);
    DrawAll all(engine(2));
    m_sink.answerYes();
    ASSERT_EQ(all.combinedItems().drawnAthletes, 5);
    m_sink.clear();

    CombinedGroupsForm form(*m_events);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTreeWidget* tree = form.tree();
    QTreeWidgetItem* top = tree->topLevelItem(0);
    EXPECT_EQ(top->text(0), "Group \"G\" (2 items, drawn)");
    EXPECT_EQ(top->child(0)->text(0), m_events->eventTitle(m_a) + "  [drawn]");

    tree->setFocus();
    tree->setCurrentItem(top->child(0));
    QTest::keyClick(tree, Qt::Key_Delete);
    EXPECT_TRUE(m_sink.saw("This Item is already drawn in the race of the Combined Item \"G\""));
    EXPECT_EQ(groupOf(m_a), group);
    EXPECT_EQ(drawnRows(m_a, "F").size(), 3);
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 2);

    tree->setCurrentItem(tree->topLevelItem(0));
    QTest::keyClick(tree, Qt::Key_Delete);
    EXPECT_TRUE(m_sink.saw("Its race is already drawn"));
    EXPECT_EQ(count("COMBINED"), 1);
}

} // namespace
