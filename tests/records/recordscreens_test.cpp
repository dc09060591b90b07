#include "recordsfixture.h"

#include "records/forms/recorddialog.h"
#include "records/forms/recordsetdialog.h"
#include "records/forms/recordsetsform.h"
#include "records/forms/recordsform.h"
#include "support/modaldialogs.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

namespace {

using records::RecordDialog;
using records::RecordSetDialog;
using testing_support::ModalDialogs;

// Fills the set's fields and accepts.
ModalDialogs<RecordSetDialog>::Action typeSet(QString name, QString abbreviation, QString year)
{
    return [=](RecordSetDialog* d) {
        d->nameEdit()->setText(name);
        d->abbreviationEdit()->setText(abbreviation);
        d->yearEdit()->setText(year);
        d->accept();
    };
}
// Fills the named fields ("Item", "Record", "Surname" ...) and accepts.
ModalDialogs<RecordDialog>::Action typeRecord(QList<std::pair<QString, QString>> fields)
{
    return [=](RecordDialog* d) {
        for (const auto& [name, text] : fields) {
            ASSERT_NE(d->field(name), nullptr) << name.toStdString();
            d->field(name)->setText(text);
        }
        d->accept();
    };
}
template <class D> void cancel(D* d)
{
    d->reject();
}

class RecordScreensTest : public RecordsTest {};

TEST_F(RecordScreensTest, ANewSetIsWatchedByTheMeetingAndItsRecordsAreEdited)
{
    records::RecordSetsForm form(run());
    ModalDialogs<RecordSetDialog> sets({typeSet("National", "NAT", "2024")});
    form.newSet();
    EXPECT_EQ(sets.answered(), 1);
    ASSERT_EQ(form.table()->rowCount(), 1);
    EXPECT_EQ(form.table()->item(0, 0)->text(), "NAT");

    m_sink.answerText("3");
    form.selectForMeeting(false);
    EXPECT_EQ(form.table()->item(0, 4)->text(), "Bonus 3");
    EXPECT_EQ(run().meeting().recordSetsWithPoints(),
              QString::number(records::RecordSets(database()).byAbbreviation("NAT")->recordSetNo) +
                  ",3");

    records::RecordsForm records(run(), *records::RecordSets(database()).byAbbreviation("NAT"));
    ModalDialogs<RecordDialog> dialogs(
        {typeRecord({{"Item", "fre____100m12w"},
                     {"Record", "65.4"},
                     {"Surname", "Ames"},
                     {"Name", "Jo"},
                     {"Team", "OAK"},
                     {"Date", "2024/05/01"}}),
         typeRecord({{"Surname", "Bell"}, {"Name", "Al"}, {"Team", "ELM"}})});
    records.newRecord();
    ASSERT_EQ(records.table()->rowCount(), 1);
    EXPECT_EQ(records.table()->item(0, 3)->text(), "1:05.40");
    EXPECT_EQ(records.table()->item(0, 0)->text(), "100m Freestyle 12 Male");
    records.table()->selectRow(0);
    records.addCoHolder();
    ASSERT_EQ(records.table()->rowCount(), 2);
    EXPECT_EQ(records.table()->item(1, 2)->text(), "Co");
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(dialogs.extra(), 0);
    EXPECT_EQ(m_sink.unanswered(), 0);
}

TEST_F(RecordScreensTest, TheListsFillTheirWidthAfterEveryRefresh)
{
    const qint64 set = newSet("NAT");
    setRecord(run().items(), set, "FRE____100M12W", "1:05.40");
    records::RecordSetsForm form(run());
    form.show();
    records::RecordsForm records(run(), *records::RecordSets(database()).byAbbreviation("NAT"));
    records.show();
    for (QTableWidget* table : {form.table(), records.table()}) {
        for (int round = 0; round < 2; ++round) {
            QApplication::processEvents();
            EXPECT_EQ(table->horizontalHeader()->length(), table->viewport()->width())
                << "round " << round;
            form.refresh();
            records.refresh();
        }
    }
}

TEST_F(RecordScreensTest, TabWalksTheRecordsFieldsTopToBottom)
{
    const QStringList names{"Item", "Record", "Surname", "Name", "Team", "Date"};
    for (const auto mode : {RecordDialog::Mode::NewRecord, RecordDialog::Mode::EditRecord,
                            RecordDialog::Mode::CoHolder}) {
        RecordDialog dialog(mode, "Record");
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QStringList shown;
        for (const QString& name : names)
            if (dialog.field(name))
                shown << name;
        // Each field gets its own name typed, moving on with Tab as a person does.
        for (const QString& name : shown) {
            QTest::keyClicks(QApplication::focusWidget(), name.toLower());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (const QString& name : shown)
            EXPECT_EQ(dialog.field(name)->text().toStdString(), name.toLower().toStdString())
                << name.toStdString() << " in mode " << int(mode);
    }
}

TEST_F(RecordScreensTest, ABadSetIsRefusedOnTheScreenToo)
{
    records::RecordSetsForm form(run());
    // Refused, the dialog comes back with what was typed: the year is corrected there.
    QString nameSeenAgain;
    {
        ModalDialogs<RecordSetDialog> sets({typeSet("Old", "OLD", "1799"), [&](RecordSetDialog* d) {
                                                nameSeenAgain = d->nameEdit()->text();
                                                d->yearEdit()->setText("1899");
                                                d->accept();
                                            }});
        form.newSet();
        EXPECT_EQ(sets.extra(), 0);
    }
    EXPECT_TRUE(m_sink.saw("The year must be between 1800 and 2100."));
    EXPECT_EQ(nameSeenAgain, "Old");
    ASSERT_EQ(form.table()->rowCount(), 1);
    EXPECT_EQ(value("select list(THE_YEAR) from RECORDSET"), "1899");
    // A set named "wind" is refused, and cancelling leaves nothing.
    ModalDialogs<RecordSetDialog> wind({typeSet("wind", "WND", ""), cancel<RecordSetDialog>});
    form.newSet();
    EXPECT_EQ(wind.answered(), 2);
    EXPECT_EQ(form.table()->rowCount(), 1);
}

TEST_F(RecordScreensTest, TheImportAsksTheColumnsAndKeepsThem)
{
    const QString path = m_home->dir() + "/r.csv";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("item;gender;age;record\nFRE100;F;10;1:10.00\n");
    file.close();
    records::RecordSetsForm form(run());
    m_sink.answerFile(path);
    {
        ModalDialogs<RecordSetDialog> dialogs({[](RecordSetDialog* d) {
            for (const auto& [key, column] : {std::pair{"ITEM", 1},
                                              {"GENDER", 2},
                                              {"AGE", 3},
                                              {"RECORD", 4},
                                              {"SURNAME", 0},
                                              {"TEAM", 0}}) {
                ASSERT_NE(d->columnBox(key), nullptr) << key;
                d->columnBox(key)->setValue(column);
            }
            typeSet("Club", "CLB", "")(d);
        }});
        form.importCsv();
    }
    ASSERT_EQ(form.table()->rowCount(), 1);
    EXPECT_EQ(form.table()->item(0, 3)->text(), "1");
    EXPECT_EQ(run().config().readInt("CSV_REC_COLMNO_AGE"), 3);
    // The next import starts from the columns kept.
    m_sink.answerFile(path);
    int ageColumn = -1;
    ModalDialogs<RecordSetDialog> again({[&](RecordSetDialog* d) {
        ageColumn = d->columnBox("AGE")->value();
        d->reject();
    }});
    form.importCsv();
    EXPECT_EQ(ageColumn, 3);
    EXPECT_EQ(form.table()->rowCount(), 1);
}

} // namespace
