#include "draw/programeditor.h"

#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/programrows.h"
#include "meeting/meetingsettings.h"
#include "meeting/meetingupdate.h"

#include <QRegularExpression>

namespace draw {

ProgramEditor::ProgramEditor(base::Run& run)
    : m_run(run), m_database(*run.database()), m_messages(run.messages()), m_meeting(run.meeting()),
      m_meetingNo(run.meeting().meetingNo())
{
}

int ProgramEditor::meetingDays() const
{
    return std::max(1, m_meeting.dayCount());
}

namespace {

constexpr int kMinutesPerDay = 1440;

QString setList(const SlotEdit& edit)
{
    QStringList sets;
    if (edit.day)
        sets.append(QStringLiteral("DAY_SEQ = ") + db::sqlInt(*edit.day));
    if (edit.time)
        sets.append(QStringLiteral("THETIME = ") + sqlTime(*edit.time));
    if (edit.seq)
        sets.append(QStringLiteral("SEQ = ") + db::sqlInt(*edit.seq));
    if (edit.pit)
        sets.append(QStringLiteral("PIT = ") + db::quoted(edit.pit->trimmed()));
    return sets.join(QStringLiteral(", "));
}

int minutesOf(const QTime& time)
{
    return time.isValid() ? time.hour() * 60 + time.minute() : 0;
}

} // namespace

std::optional<QTime> ProgramEditor::parseTime(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):?(\\d{2})$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch()) {
        m_messages.warning(QStringLiteral("Enter the time as hhmm (for example 0930)"));
        return std::nullopt;
    }
    const int hour = m.captured(1).toInt();
    const int minute = m.captured(2).toInt();
    if (hour > 23) {
        m_messages.warning(QStringLiteral("The hour must be from between 0 and 23"));
        return std::nullopt;
    }
    if (minute > 59) {
        m_messages.warning(QStringLiteral("The minutes must be from between 0 and 59"));
        return std::nullopt;
    }
    return QTime(hour, minute);
}

std::optional<int> ProgramEditor::parseDay(const QString& text)
{
    bool ok = false;
    const int day = text.trimmed().toInt(&ok);
    if (!ok || day < 1) {
        m_messages.warning(QStringLiteral("The Days must be a number"));
        return std::nullopt;
    }
    const int dayCount = meetingDays();
    if (day > dayCount) {
        if (dayCount == 1) {
            m_messages.warning(QStringLiteral(
                "Currently the setting for the Meeting is \"1 day\".\rFirst increase it under "
                "\"Extra Meeting options\"."));
        } else {
            m_messages.warning(QStringLiteral(
                "This more than the number of days you indicated under\r\"Extra Meeting "
                "options\".  First increase it there."));
        }
        return std::nullopt;
    }
    return day;
}

std::optional<int> ProgramEditor::parseSeq(const QString& text)
{
    bool ok = false;
    const int seq = text.trimmed().toInt(&ok);
    if (!ok || seq < 0) {
        m_messages.warning(QStringLiteral("Not a number:") + text);
        return std::nullopt;
    }
    return seq;
}

bool ProgramEditor::apply(qint64 programNo, const SlotEdit& edit)
{
    const QString combined =
        m_database.selectOneValue(QStringLiteral("E.COMBINEDNO"),
                                  QStringLiteral("MYEVENT E join PROGRAM P on "
                                                 "P.EVENTNO = E.EVENTNO"),
                                  QStringLiteral("P.PROGRAMNO = ") + db::sqlInt(programNo));
    const qint64 combinedNo = combined.toLongLong();
    if (combinedNo <= 0) {
        const QString sets = setList(edit);
        return sets.isEmpty() || m_database.executeOneRow(
                                     QStringLiteral("update PROGRAM set ") + sets +
                                     QStringLiteral(" where PROGRAMNO = ") + db::sqlInt(programNo));
    }
    // A grouped combined item runs as one race: the group and all its rows move together.
    const QString sets = setList(edit);
    if (sets.isEmpty())
        return true;
    return m_database.executeAll(
        {QStringLiteral("update COMBINED set ") + sets + QStringLiteral(" where COMBINEDNO = ") +
             db::sqlInt(combinedNo),
         QStringLiteral("update PROGRAM set ") + sets +
             QStringLiteral(" where EVENTNO in (select EVENTNO from MYEVENT where COMBINEDNO = ") +
             db::sqlInt(combinedNo) + QStringLiteral(")")});
}

QList<ProgramLine> ProgramEditor::inOrder(ProgramOrder order)
{
    return ProgramListing(m_database).lines(m_meetingNo, order);
}

bool ProgramEditor::renumber(bool ask)
{
    if (ask && !m_messages.confirm(QStringLiteral("Renumber all the Events so that\rthe Sequence "
                                                  "number match the Times.\r\rContinue to "
                                                  "renumber")))
        return false;
    const bool sameSeqPerRound = m_meeting.roundSeqSame();
    db::Query q = m_database.openQuery(
        QStringLiteral("select P.PROGRAMNO, P.EVENTNO, P.ROUND, E.COMBINEDNO from PROGRAM P "
                       "join MYEVENT E on E.EVENTNO = P.EVENTNO where P.MEETINGNO = ") +
        db::sqlInt(m_meetingNo) +
        QStringLiteral(" and not (P.ROUND = 'F' and coalesce(E.FINAL_NOT_RUN, 0) = 1) "
                       "order by P.DAY_SEQ, P.THETIME, E.COMBINEDNO, P.EVENTNO, P.ROUND, "
                       "P.HEATNO"));
    if (!q.isOpen() || !m_database.startBatch())
        return false;
    int counter = 0;
    qint64 lastEvent = -1;
    qint64 lastCombined = -1;
    QString lastRound;
    bool ok = true;
    for (q.first(); !q.eof() && ok; q.next()) {
        const qint64 event = q.integer("EVENTNO");
        const QString round = q.text("ROUND");
        const qint64 combined = q.integer("COMBINEDNO");
        if (combined > 0) {
            if (round != QLatin1String("F")) {
                m_messages.internalError(420301,
                                         QStringLiteral("This function did not expect Combined "
                                                        "Events with Rounds and Heats"));
                continue;
            }
            if (combined != lastCombined) {
                ++counter;
                ok = m_database.batchExecute(QStringLiteral("update COMBINED set NAME = ") +
                                             db::quoted(QString::number(counter)) +
                                             QStringLiteral(", SEQ = ") + db::sqlInt(counter) +
                                             QStringLiteral(" where COMBINEDNO = ") +
                                             db::sqlInt(combined));
            }
        } else if (!sameSeqPerRound || event != lastEvent || round != lastRound) {
            ++counter;
        }
        lastEvent = event;
        lastRound = round;
        lastCombined = combined;
        ok = ok && m_database.batchExecute(
                       QStringLiteral("update PROGRAM set SEQ = ") + db::sqlInt(counter) +
                       QStringLiteral(" where PROGRAMNO = ") + db::sqlInt(q.integer("PROGRAMNO")));
    }
    if (!ok) {
        m_database.rollbackBatch();
        return false;
    }
    if (!m_database.commitBatch())
        return false;
    m_messages.information(QStringLiteral("Done renumbering all events"));
    return true;
}

bool ProgramEditor::shiftTimes(qint64 programNo, int minutes, ProgramOrder shownOrder)
{
    if (shownOrder != ProgramOrder::Time) {
        m_messages.warning(
            QStringLiteral("The events must be ordered by time before you execute this function"));
        return false;
    }
    const QList<ProgramLine> rows = inOrder(ProgramOrder::Time);
    int from = -1;
    for (int i = 0; i < rows.size() && from < 0; ++i) {
        if (rows[i].programNo == programNo)
            from = i;
    }
    if (from < 0 || minutes == 0)
        return false;
    const ProgramLine& start = rows[from];
    const int startMinutes = minutesOf(start.time) + minutes;
    if (startMinutes < 0) {
        m_messages.warning(QStringLiteral("You cannot shift the start to negative values"));
        return false;
    }
    auto absolute = [](const ProgramLine& row) {
        return (std::max(1, row.day) - 1) * kMinutesPerDay + minutesOf(row.time);
    };
    if (from > 0 && absolute(start) + minutes < absolute(rows[from - 1])) {
        m_messages.warning(
            QStringLiteral("You cannot shift the start to before the previous item"));
        return false;
    }
    const int dayCount = meetingDays();
    const int lastDay = (absolute(rows.last()) + minutes) / kMinutesPerDay + 1;
    if (lastDay > dayCount) {
        m_messages.warning(QStringLiteral("You may not move the last Event past the number of "
                                          "\rdays of the Meeting (") +
                           QString::number(dayCount) + QStringLiteral(").\rThe last item is on ") +
                           QStringLiteral(" day ") + QString::number(lastDay));
        return false;
    }
    if (!m_messages.confirm(
            QStringLiteral("Shift time: starting at event ") + QString::number(start.seq) +
            QLatin1Char(' ') +
            (minutes < 0 ? QStringLiteral("backwards") : QStringLiteral("forward")) +
            QStringLiteral(" with ") + QString::number(std::abs(minutes)) +
            QStringLiteral(" minutes")))
        return false;
    QStringList statements;
    for (int i = from; i < rows.size(); ++i) {
        const int moved = absolute(rows[i]) + minutes;
        const QTime time = QTime(0, 0).addSecs((moved % kMinutesPerDay) * 60);
        statements << QStringLiteral("update PROGRAM set DAY_SEQ = ") +
                          db::sqlInt(moved / kMinutesPerDay + 1) + QStringLiteral(", THETIME = ") +
                          sqlTime(time) + QStringLiteral(" where PROGRAMNO = ") +
                          db::sqlInt(rows[i].programNo);
    }
    return m_database.executeAll(statements);
}

bool ProgramEditor::moveRestOfDay(qint64 programNo, const QString& dayText)
{
    const std::optional<int> day = parseDay(dayText);
    if (!day)
        return false;
    const QList<ProgramLine> rows = inOrder(ProgramOrder::Time);
    int from = 0;
    while (from < rows.size() && rows[from].programNo != programNo)
        ++from;
    if (from == rows.size() || rows[from].day == *day)
        return false;
    QList<qint64> moving;
    for (int i = from; i < rows.size() && rows[i].day == rows[from].day; ++i)
        moving.append(rows[i].programNo);
    if (!m_messages.confirm(
            QStringLiteral("Move ") + QString::number(moving.size()) +
            QStringLiteral(" rows, from sequence ") + QString::number(rows[from].seq) +
            QStringLiteral(" to the end of day ") + QString::number(rows[from].day) +
            QStringLiteral(", to day ") + QString::number(*day)))
        return false;
    QStringList statements;
    for (const qint64 programNo : moving)
        statements << QStringLiteral("update PROGRAM set DAY_SEQ = ") + db::sqlInt(*day) +
                          QStringLiteral(" where PROGRAMNO = ") + db::sqlInt(programNo);
    return m_database.executeAll(statements);
}

bool ProgramEditor::shiftSequence(qint64 programNo, int amount, ProgramOrder shownOrder)
{
    if (shownOrder != ProgramOrder::Sequence && shownOrder != ProgramOrder::None) {
        m_messages.warning(QStringLiteral(
            "The events must be ordered by sequence before you execute this function"));
        return false;
    }
    const QList<ProgramLine> rows = inOrder(ProgramOrder::Sequence);
    int from = -1;
    for (int i = 0; i < rows.size() && from < 0; ++i) {
        if (rows[i].programNo == programNo)
            from = i;
    }
    if (from < 0 || amount == 0)
        return false;
    const int seq = rows[from].seq;
    if (seq + amount < 0) {
        m_messages.warning(QStringLiteral("You cannot shift numbers into negative values"));
        return false;
    }
    int previous = -1;
    for (const ProgramLine& row : rows) {
        if (row.seq < seq)
            previous = std::max(previous, row.seq);
    }
    if (previous >= 0 && seq + amount <= previous) {
        m_messages.warning(QStringLiteral("You cannot shift the sequence to before or the same "
                                          "as the previous item: ") +
                           QString::number(previous));
        return false;
    }
    if (!m_messages.confirm(QStringLiteral("Shift sequence by ") + QString::number(amount) +
                            QStringLiteral(" starting at ") + QString::number(seq)))
        return false;
    return m_database.execute(QStringLiteral("update PROGRAM set SEQ = SEQ + ") +
                              db::sqlInt(amount) + QStringLiteral(" where MEETINGNO = ") +
                              db::sqlInt(m_meetingNo) + QStringLiteral(" and SEQ >= ") +
                              db::sqlInt(seq));
}

bool ProgramEditor::cascadeHeatsAreFinals()
{
    db::Query q = m_database.openQuery(
        QStringLiteral("select EVENTNO from MYEVENT where MEETINGNO = ") + db::sqlInt(m_meetingNo) +
        QStringLiteral(" and FINAL_NOT_RUN = 1 and coalesce(COMBINEDNO, 0) = 0 and "
                       "coalesce(N_ATHLON, 0) = 0"));
    if (q.isEmpty()) {
        m_messages.information(
            QStringLiteral("This meeting has no Items where the final is not run"));
        return false;
    }
    bool ok = true;
    for (q.first(); !q.eof(); q.next()) {
        const QString event = db::sqlInt(q.integer("EVENTNO"));
        db::Query heat = m_database.openQuery(
            QStringLiteral("select DAY_SEQ, THETIME, SEQ, PIT from PROGRAM where EVENTNO = ") +
            event + QStringLiteral(" and ROUND = 'A' order by HEATNO desc"));
        if (heat.isEmpty())
            continue;
        heat.first();
        SlotEdit edit;
        edit.day = int(heat.integer("DAY_SEQ"));
        edit.time = heat.value("THETIME").toTime();
        edit.seq = int(heat.integer("SEQ"));
        edit.pit = heat.text("PIT");
        ok = m_database.execute(QStringLiteral("update PROGRAM set ") + setList(edit) +
                                QStringLiteral(" where EVENTNO = ") + event +
                                QStringLiteral(" and ROUND = 'F'")) &&
             ok;
    }
    return ok;
}

int ProgramEditor::lastDayInUse()
{
    return m_database
        .selectOneValue(QStringLiteral("max(DAY_SEQ)"), QStringLiteral("PROGRAM"),
                        QStringLiteral("MEETINGNO = ") + db::sqlInt(m_meetingNo))
        .toInt();
}

std::optional<int> ProgramEditor::checkDayCount(const QString& text)
{
    bool ok = false;
    const int days = text.trimmed().toInt(&ok);
    if (!ok) {
        m_messages.warning(QStringLiteral("The Days must be a number"));
        return std::nullopt;
    }
    if (days < 1) {
        m_messages.warning(QStringLiteral("The number of days may not be less than 1"));
        return std::nullopt;
    }
    if (days > 10) {
        m_messages.warning(QStringLiteral("The max days is 10"));
        return std::nullopt;
    }
    const int used = lastDayInUse();
    if (days < used) {
        m_messages.warning(QStringLiteral("There are already events with a day of ") +
                           QString::number(used) +
                           QStringLiteral(".\rThe number of days must be at least that."));
        return std::nullopt;
    }
    return days;
}

bool ProgramEditor::setDayCount(const QString& text)
{
    const std::optional<int> days = checkDayCount(text);
    return days &&
           meeting::updateMeeting(m_run, {{QStringLiteral("DAY_COUNT"), QString::number(*days)}});
}

} // namespace draw
