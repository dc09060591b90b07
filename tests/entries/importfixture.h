#pragma once

#include "entries/athleteimport.h"
#include "entryfixture.h"

// Imports of competitor files into the test meeting. The default setup reads
// "Surname,Firstname,Gender,Age,Team,Number,Item,Best,Item,Best" with a header line.
class ImportTest : public EntryTest {
protected:
    void SetUp() override
    {
        EntryTest::SetUp();
        m_free50 = addEvent(QStringLiteral("FRE_____50M13W"));
        m_free100 = addEvent(QStringLiteral("FRE____100M13W"));
        m_girls50 = addEvent(QStringLiteral("FRE_____50F13W"));
        m_relay = addEvent(QStringLiteral("F_R4X50___M99W"));
    }

    std::unique_ptr<entries::AthleteImport> importer()
    {
        auto imp = std::make_unique<entries::AthleteImport>(run(), settings());
        entries::CsvSetup& s = imp->setup();
        s = entries::CsvSetup();
        s.surname = 1;
        s.firstName = 2;
        s.gender = 3;
        s.ageAge = 4;
        s.ageSource = entries::AgeSource::Age;
        s.team = 5;
        s.number = 6;
        s.hasNumber = true;
        s.hasItems = true;
        s.hasBests = true;
        s.itemFirst = 7;
        s.itemLast = 9;
        return imp;
    }

    // Runs the whole import of `text`, continuing past the report when `goOn`.
    entries::AthleteImport::Outcome import(entries::AthleteImport& imp, const QByteArray& text,
                                           bool goOn = true)
    {
        const QString path = writeFile(QStringLiteral("entries.csv"), text);
        if (goOn)
            m_sink.answerButton(1); // "Continue to import anyway" when there is a report
        return imp.run(path);
    }

    static QByteArray withHeader(const QByteArray& lines)
    {
        return QByteArray("Surname,Firstname,Gender,Age,Team,Number,Item,Best,Item,Best\n") + lines;
    }

    // The findings of the report as "line kind text" lines.
    static QStringList findings(const entries::AthleteImport& imp)
    {
        QStringList out;
        for (const entries::ImportFinding& f : imp.report().findings())
            out << QString::number(f.line) + QLatin1Char(' ') + QString::number(int(f.kind)) +
                       QLatin1Char(' ') + f.text;
        return out;
    }

    qint64 m_free50 = 0;
    qint64 m_free100 = 0;
    qint64 m_girls50 = 0;
    qint64 m_relay = 0;
};
