#pragma once

#include "sheets/sheetprinting.h"
#include "support/testdatabase.h"

#include <QList>
#include <QString>
#include <QStringList>

// A meeting with events, heats and swimmers written straight into the tables as the draws
// leave them, and the sheets printed from it into real PDF files read back as text.
class SheetsTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override;
    // The meeting of the tests, current in the run.
    void setUpMeeting();

    qint64 addEvent(const QString& itemCode, int seq = 1, qint64 combinedNo = 0,
                    const QString& format = QString());
    qint64 addProgramRow(qint64 eventNo, const QString& round, int heatNo, int seq = 1, int day = 1,
                         const QString& time = QStringLiteral("09:00"));
    qint64 addCombined(int seq = 1);
    qint64 addTeam(const QString& name, const QString& abbreviation, int league = 0);
    qint64 addSwimmer(qint64 teamNo, const QString& surname, int age = 13,
                      const QString& gender = QStringLiteral("M"));
    // An entry in the event; `lane` is the final's lane (0: not drawn).
    qint64 enter(qint64 eventNo, qint64 athleteNo, int lane = 0);
    // A heat row of round A, B or C.
    qint64 seat(qint64 eventNo, const QString& round, int heatNo, qint64 athleteNo, int lane);
    void setMeeting(const QString& column, const QString& value);
    int sheetsPrinted(qint64 eventNo, const QString& round, int heatNo);

    // A 100 m final with four swimmers of two teams in lanes 4, 2, 5, 3: Delta and Echo
    // of "Sharks Club", Bravo and Charlie of "Otters United".
    qint64 drawnFinal(const QString& itemCode = QStringLiteral("FRE____100M13W"));
    // An event of two heats in round A, `first` in lane 4 of heat 1, `second` of heat 2.
    qint64 twoHeats(const QString& itemCode, const QString& first, const QString& second);
    // Prints into a PDF in the test's folder; the number of heats marked printed.
    int printToPdf(const sheets::PrintRequest& request, const QString& name = "sheets.pdf");
    QString pdfPath(const QString& name = "sheets.pdf") const;

    int m_meetingNo = 0;
};

// The text of every page of a PDF (poppler's pdftotext, in layout), one entry a page.
QStringList pdfPages(const QString& path);
// The pages that contain `title`.
QStringList pagesTitled(const QStringList& pages, const QString& title);
// A request for the final of an event.
sheets::PrintRequest finalOf(qint64 eventNo);
// How often `part` occurs in `text`.
int occurrences(const QString& text, const QString& part);
