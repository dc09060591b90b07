#pragma once

#include <QList>
#include <QString>
#include <QTime>

namespace db {
class DmdCoreDbs;
}

namespace draw {

enum class ProgramOrder { None, Sequence, Time, AgeGender, Item };

// One line of the program as the edit screen and the listings show it.
struct ProgramLine {
    qint64 programNo = 0;
    qint64 eventNo = 0;
    QString itemCode;
    QString format;
    QString round;
    int heatNo = 0;
    int day = 0;
    QTime time;
    int seq = 0;
    QString pit;
    int nAthlon = 0;
    qint64 combinedNo = 0;
    int finalNotRun = 0;
    int placedCount = 0;
    bool drawReleased = false;
    int drawRevision = 0;
    bool resultsReleased = false;
    int resultsRevision = 0;
};

// The program of a meeting in one of its orders, without the finals that are not run.
// With no order chosen the sequence order is used.
class ProgramListing {
public:
    explicit ProgramListing(db::DmdCoreDbs& database) : m_database(database) {}

    static QString orderBy(ProgramOrder order);
    static QString orderName(ProgramOrder order);
    // "seq", "time", "age", "item" (as the CLI names them); None for anything else.
    static ProgramOrder orderFromName(const QString& name);

    // Marks the finals that are not run as hidden (T_VIS 0), all other rows as shown.
    bool refreshVisibility(int meetingNo);
    // `day` 0 lists every day.
    QList<ProgramLine> lines(int meetingNo, ProgramOrder order, int day = 0);

private:
    db::DmdCoreDbs& m_database;
};

} // namespace draw
