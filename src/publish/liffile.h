#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace publish {

// One place line of a race result file: place (or a status word), athlete number, lane,
// names, team and time.
struct LifLine {
    int lineNo = 0;
    int place = 0;  // 0 for a status
    int status = 0; // participation status code (DNS, DNF, DQ ...), 0 for none
    QString placeText;
    QString number; // the athlete's number, empty when the system wrote none
    int lane = 0;
    QString lastName;
    QString firstName;
    QString team;
    QString time;       // as written: "31.52", "1:02.347"; empty with a status
    double seconds = 0; // the time read
    QString thirdDigit; // the thousandths of a time written with three decimals
};

// The result file of one race as photo-finish and touch-pad systems write it: a header
// line "event,round,heat,name,wind,...", then a line per place
// "place,number,lane,last name,first name,team,time,...".
struct LifRace {
    int event = 0;
    int round = 0;
    int heat = 0;
    QString name;
    QString wind;
    QString encoding;
    QList<LifLine> lines;
};

struct LifRead {
    bool ok = false;
    QString refusal; // the reason in the system's words
    LifRace race;
};

// Reads the bytes of a file: UTF-8 (with or without a byte-order mark), UTF-16 with a
// byte-order mark, else Latin-1. Refuses an empty file, a header without event and heat,
// a line cut short, and a time or place that cannot be read.
LifRead parseLif(const QByteArray& bytes);
LifRead readLifFile(const QString& path);

} // namespace publish
