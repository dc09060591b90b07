#include "recordsfixture.h"
#include "support/screenfit.h"
#include "support/untippedbuttons.h"

#include "records/forms/recorddialog.h"
#include "records/forms/recordsetdialog.h"
#include "records/forms/recordsetsform.h"
#include "records/forms/recordsform.h"

using testing_support::untippedButtons;

namespace {

using RecordsButtonTipsTest = RecordsTest;

TEST_F(RecordsButtonTipsTest, EveryButtonOfTheRecordScreensSaysWhatItDoes)
{
    const qint64 set = newSet(QStringLiteral("NAT"));
    records::RecordSetsForm sets(run());
    records::RecordsForm records(run(),
                                 {set, QStringLiteral("National"), QStringLiteral("NAT"), 0});
    records::RecordDialog record(records::RecordDialog::Mode::NewRecord, QStringLiteral("New"));
    records::RecordSetDialog newSet(QStringLiteral("New Set"));
    records::RecordSetDialog import(QStringLiteral("Import"), records::RecordCsvSetup{});

    const QStringList missing = untippedButtons({&sets, &records, &record, &newSet, &import});
    EXPECT_TRUE(missing.isEmpty()) << testing_support::listed(missing);
    const QStringList tooBig =
        testing_support::offTheDesktop({&sets, &records, &record, &newSet, &import});
    EXPECT_TRUE(tooBig.isEmpty()) << testing_support::listed(tooBig);
}

} // namespace
