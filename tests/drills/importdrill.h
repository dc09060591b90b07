#pragma once

#include "entries/entryfixture.h"
#include "support/entryfilegenerator.h"

#include "db/connect.h"
#include "db/runservices.h"
#include "meeting/runservices.h"

#include <set>

namespace drills {

// A meeting ready for a generated entries file: its events made, and the command line that
// imports such a file through the program.
class ImportDrillTest : public EntryTest {
protected:
    void addEventsFor(const QList<testing_support::GeneratedEntries>& files)
    {
        std::set<QString> codes;
        for (const auto& f : files)
            codes.insert(f.itemCodes.begin(), f.itemCodes.end());
        for (const QString& code : codes)
            addEvent(code);
    }

    QStringList importArguments(const QString& file, int entriesPerSwimmer = 4) const
    {
        using testing_support::GeneratedLayout;
        QStringList args{"--db", m_path, "--yes", "--json", "import", "athletes", file};
        const QStringList setup{"SURNAME=" + QString::number(GeneratedLayout::surname),
                                "FIRSTNAME=" + QString::number(GeneratedLayout::firstName),
                                "GENDER=" + QString::number(GeneratedLayout::gender),
                                "AGE=" + QString::number(GeneratedLayout::age),
                                "AGE_TYPE=1",
                                "TEAM=" + QString::number(GeneratedLayout::team),
                                "NUMBER=" + QString::number(GeneratedLayout::number),
                                "ATH_HAS_NUMBER=1",
                                "HAS_ITEMS=1",
                                "HAS_BESTS=1",
                                "ADD_TEAMS=1",
                                "ITEM_FIRST=" + QString::number(GeneratedLayout::itemFirst),
                                "ITEM_LAST=" + QString::number(GeneratedLayout::itemFirst +
                                                               2 * (entriesPerSwimmer - 1))};
        for (const QString& s : setup)
            args << "--setup" << s;
        return args;
    }

    // The rows of each table an import writes: teams, athletes, participations.
    std::vector<int> importedRows()
    {
        return {count("TEAM"), count("ATHLETE"), count("PARTICIPATE")};
    }

    void closeRun() { m_run.reset(); }
    // Connects the test's run again, to `path` when given.
    void reopenRun(const QString& path = QString())
    {
        if (!path.isEmpty())
            m_path = path;
        m_run = std::make_unique<base::Run>(m_sink);
        meeting::createRunSettings(*m_run);
        db::ConnectOptions options;
        options.offerSelect = false;
        ASSERT_TRUE(db::connectTo(*m_run, m_path, options));
    }
};

} // namespace drills
