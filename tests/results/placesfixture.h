#pragma once

#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "results/places.h"
#include "support/testdatabase.h"

#include <QList>
#include <QString>

#include <memory>

// One competitor's row in a heat or final as a test writes it.
struct Swim {
    Swim(QString performance_ = {}, QString thirdDigit_ = {}, int ePlace_ = 0,
         qint64 athleteNo_ = 0, int lane_ = -1, int status_ = 0)
        : performance(std::move(performance_)), thirdDigit(std::move(thirdDigit_)), ePlace(ePlace_),
          athleteNo(athleteNo_), lane(lane_), status(status_)
    {
    }
    QString performance;
    QString thirdDigit;
    int ePlace = 0;
    qint64 athleteNo = 0; // 0: a new athlete of the default team
    int lane = -1;        // -1: the next lane in the heat, 0: not drawn
    int status = 0;
};

// A meeting with events, program rows and competitors written straight into the tables,
// as the draws and capture leave them; the places are then calculated on them.
class PlacesTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override;

    // A selected event; the item's final program row is added with it.
    qint64 addEvent(const QString& itemCode, int seq = 1, qint64 combinedNo = 0,
                    bool finalNotRun = false);
    qint64 addProgramRow(qint64 eventNo, const QString& round, int heatNo, int seq = 1);
    qint64 finalRow(qint64 eventNo);
    qint64 programRow(qint64 eventNo, const QString& round, int heatNo);
    qint64 addTeam(int league = 0);
    qint64 addAthlete(qint64 teamNo = 0, int age = 13);
    qint64 addCombined();
    // Two items (boys 13, men 14) swum as one combined final of two swimmers each.
    struct CombinedFinals {
        qint64 boys = 0, men = 0;
        QList<qint64> boyRows, menRows;
    };
    CombinedFinals addCombinedFinals();

    // Writes one row per swim into the heat (round A, B, C) or the final (round "F").
    QList<qint64> addHeat(qint64 eventNo, const QString& round, int heatNo,
                          const QList<Swim>& swims);
    QList<qint64> addFinal(qint64 eventNo, const QList<Swim>& swims)
    {
        return addHeat(eventNo, QStringLiteral("F"), 0, swims);
    }

    // One integer column of the rows, in the order of the keys.
    QList<int> column(const QString& table, const QString& column, const QList<qint64>& keys);
    QList<int> ePlaces(const QString& round, const QList<qint64>& keys)
    {
        return column(tableOf(round), QStringLiteral("E_PLACE"), keys);
    }
    QList<int> places(const QString& round, const QList<qint64>& keys)
    {
        return column(tableOf(round), QStringLiteral("PLACE"), keys);
    }
    QList<int> shares(const QString& round, const QList<qint64>& keys)
    {
        return column(tableOf(round), QStringLiteral("PLACESHARECOUNT"), keys);
    }
    static QString tableOf(const QString& round)
    {
        return round == QLatin1String("F") ? QStringLiteral("PARTICIPATE")
                                           : QStringLiteral("HEATPART");
    }
    int notCalculated(qint64 programNo);
    void setMeeting(const QString& column, int value);

    // The run's swimming items, or the athletics edition's for field items and the
    // athletics times of the examples.
    results::Places swimPlaces();
    results::Places athleticsPlaces();
    int internalErrors() const;
    // The internal errors shown, for a failure's message.
    std::string errorTexts() const;

    int m_meetingNo = 0;
    qint64 m_teamNo = 0;
    std::unique_ptr<meeting::ItemTypes> m_athletics;
};
