#include "entries/athleteimport.h"

#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "entries/disabilityclasses.h"
#include "entries/importwriter.h"
#include "meeting/edition.h"
#include "meeting/itemtypes.h"

#include <QFileInfo>

namespace entries {

namespace {

bool isEmptyRow(const QStringList& cells)
{
    return std::all_of(cells.begin(), cells.end(),
                       [](const QString& c) { return c.trimmed().isEmpty(); });
}

} // namespace

AthleteImport::AthleteImport(base::Run& run, const EntrySettings& settings)
    : m_run(run), m_settings(settings), m_meetingNo(settings.meetingNo),
      m_items(std::make_unique<meeting::ItemTypes>(
          meeting::editionOf(run.globals().applicationCode()), run.messages()))
{
    m_setup.load(run.config());
}

void AthleteImport::saveSetup()
{
    m_setup.save(m_run.config());
}

bool AthleteImport::load(const QString& path)
{
    base::Messages& messages = m_run.messages();
    m_path = path;
    m_rows.clear();
    m_columns = 0;
    const CsvText text = readCsvFile(path);
    if (!text.ok) {
        messages.warning(text.refusal);
        return false;
    }
    m_encoding = text.encoding;
    if (std::all_of(text.lines.begin(), text.lines.end(),
                    [](const QString& l) { return l.trimmed().isEmpty(); })) {
        messages.warning(QStringLiteral("The file is empty: ") + path);
        return false;
    }
    m_delimiter = m_forced != CsvDelimiter::Undecided ? m_forced : guessDelimiter(text.lines);
    if (m_delimiter == CsvDelimiter::Undecided) {
        messages.warning(QStringLiteral("The program could not guess the delimiter of the file:") +
                         path);
        const int chosen = messages.choose(
            QStringLiteral("Delimiter"), QStringLiteral("What is the delimiter of the file"),
            {QStringLiteral("Commas"), QStringLiteral("Semi-colons")});
        if (chosen < 0)
            return false;
        m_delimiter = chosen == 1 ? CsvDelimiter::Semicolon : CsvDelimiter::Comma;
    }
    const QChar delimiter = delimiterChar(m_delimiter);
    m_rows.reserve(text.lines.size());
    for (const QString& line : text.lines) {
        m_rows.append(splitCsvLine(line, delimiter));
        m_columns = std::max(m_columns, int(m_rows.last().size()));
    }
    m_setup.lastFile = QFileInfo(path).absoluteFilePath();
    return true;
}

bool AthleteImport::loadContext()
{
    db::DmdCoreDbs& database = *m_run.database();
    ImportContext& c = m_context;
    c = ImportContext();
    c.settings = m_settings;
    c.setup = m_setup;
    c.items = m_items.get();
    static const ImportItemNames names(meeting::editionOf(database.applicationCode()));
    c.names = &names;
    c.ages.reload(database, m_meetingNo);
    for (const EventRow& e : Participations(database, c.settings).selectedEvents())
        c.selected.insert(e.itemCode, e);
    db::Query cat = database.openQuery(QStringLiteral("select CATEGORY from CATEGORY where "
                                                      "MEETINGNO = ") +
                                       db::sqlInt(m_meetingNo));
    for (cat.first(); !cat.eof(); cat.next())
        c.categories.insert(cat.text(QStringLiteral("CATEGORY")).trimmed().toUpper());
    c.disabilityClasses = meetingDisabilityClasses(database, m_meetingNo);
    QString numbers =
        QStringLiteral("select NUMBER from ATHLETE where MEETINGNO = ") + db::sqlInt(m_meetingNo);
    if (m_setup.wipe == WipeMode::AllTeams)
        numbers += QStringLiteral(" and 1 = 0");
    else if (m_setup.wipe == WipeMode::TeamAthletes)
        numbers += QStringLiteral(" and TEAMNO <> ") + db::sqlInt(wipeTeamNo());
    db::Query num = database.openQuery(numbers);
    for (num.first(); !num.eof(); num.next())
        c.numbersInMeeting.insert(num.text(QStringLiteral("NUMBER")).trimmed().toUpper());
    for (const char* column : {"SURNAME", "FIRSTNAME", "NUMBER", "ID_NUMBER", "DISABILITY_CLASSES",
                               "LOCAL_SMDS", "WORLD_SMDS"}) {
        const QString name = QString::fromLatin1(column);
        c.widths.insert(name, database.fieldLength(QStringLiteral("ATHLETE"), name));
    }
    c.teamWidth = database.fieldLength(QStringLiteral("TEAM"), QStringLiteral("TEAMABRV"));
    return true;
}

qint64 AthleteImport::wipeTeamNo()
{
    if (!m_setup.oneTeam)
        return 0;
    const auto team = Teams(*m_run.database(), m_meetingNo)
                          .findByAbbreviation(m_setup.oneTeamAbbreviation.trimmed());
    return team ? team->teamNo : 0;
}

bool AthleteImport::isMeetingItem(const ImportItemNames::Resolved& item) const
{
    if (item.whole)
        return m_context.selected.contains(item.code);
    for (auto it = m_context.selected.cbegin(); it != m_context.selected.cend(); ++it)
        if (it.key().startsWith(item.code))
            return true;
    return false;
}

bool AthleteImport::checkHeader()
{
    if (!m_setup.hasItems || !m_setup.itemsInHeader)
        return true;
    const QStringList header = m_rows.isEmpty() ? QStringList() : m_rows.first();
    QStringList errors;
    QHash<QString, int> seen;
    const int step = m_setup.hasBests ? 2 : 1;
    for (int col = m_setup.itemFirst; col <= m_setup.itemLast; col += step) {
        const QString name = col <= header.size() ? header[col - 1].trimmed() : QString();
        const auto resolved = m_context.names->resolve(name);
        if (!resolved || !isMeetingItem(*resolved)) {
            errors << QStringLiteral("Invalid Item in Col Header ") + QString::number(col) +
                          QStringLiteral(": ") + name;
            continue;
        }
        if (seen.contains(resolved->code)) {
            errors << QStringLiteral("Duplicate Items in Headers: Cols ") +
                          QString::number(seen.value(resolved->code)) + QStringLiteral(" and ") +
                          QString::number(col) + QStringLiteral(": ") + name;
            continue;
        }
        seen.insert(resolved->code, col);
        m_context.headerItems.insert(col, *resolved);
    }
    if (errors.isEmpty())
        return true;
    m_run.messages().warning(
        QStringLiteral("The file cannot be imported: there are the following\rerrors in the "
                       "Items in the headerline.  Please correct them and import again.\r\r") +
        errors.join(QLatin1Char('\r')));
    return false;
}

AthleteImport::~AthleteImport() = default;

bool AthleteImport::check()
{
    base::Messages& messages = m_run.messages();
    db::DmdCoreDbs& database = *m_run.database();
    m_report.clear();
    m_lines.clear();
    m_numberProblems = 0;
    loadContext();
    if (!m_setup.check(messages, int(m_context.selected.size())))
        return false;
    if (m_setup.oneTeam && m_setup.wipe == WipeMode::TeamAthletes && wipeTeamNo() == 0) {
        messages.warning(QStringLiteral("The Team is not selected"));
        return false;
    }
    if (!m_setup.checkColumns(messages, m_columns) || !checkHeader())
        return false;
    ImportLineChecker checker(m_context, m_report);
    // The teams that will still be there when the lines are written.
    QSet<QString> knownTeams;
    if (m_setup.wipe != WipeMode::AllTeams) {
        for (const TeamRow& t : Teams(database, m_meetingNo).list())
            knownTeams.insert(t.abbreviation.trimmed().toUpper());
    }
    const int first = m_setup.hasHeaderLine ? 1 : 0;
    for (int i = first; i < m_rows.size(); ++i) {
        if (i % 200 == 0)
            messages.progress(QStringLiteral("Checking Athletes"), QString(), i,
                              int(m_rows.size()));
        if (isEmptyRow(m_rows[i])) {
            // A line without text, or one of delimiters only.
            m_report.add(i + 1, ImportFinding::Warning,
                         m_rows[i].size() <= 1 ? QStringLiteral("EMPTY LINE ")
                                               : QStringLiteral("Line is empty"));
            continue;
        }
        ImportLine line = checker.check(i + 1, m_rows[i]);
        const QString team = line.teamAbbreviation.toUpper();
        if (!line.athleteError && !m_setup.addTeams && !team.isEmpty() &&
            !knownTeams.contains(team)) {
            m_report.add(i + 1, ImportFinding::AthleteError,
                         QStringLiteral("Please allow Adding Team: ") + line.teamAbbreviation);
            line.athleteError = true;
        }
        m_lines.append(line);
    }
    messages.progressDone();
    m_numberProblems =
        checker.numbersTooLong() + checker.numbersRepeated() + checker.numbersInMeeting();
    return askAboutNumbers(checker);
}

bool AthleteImport::askAboutNumbers(const ImportLineChecker& checker)
{
    if (m_numberProblems == 0)
        return true;
    return m_run.messages().confirm(
        QString::number(checker.numbersTooLong()) +
        QStringLiteral(" Athlete Numbers are too long.\r") +
        QString::number(checker.numbersRepeated()) +
        QStringLiteral(" Athlete Numbers are duplicates in the CSV.\r") +
        QString::number(checker.numbersInMeeting()) +
        QStringLiteral(" Athlete Numbers already exist in the meeting.\r\rOnly the first "
                       "occurence of a new numbers will be imported.\r\rDo you want to import "
                       "anyway"));
}

bool AthleteImport::wipe()
{
    if (m_setup.wipe == WipeMode::Nothing)
        return true;
    base::Messages& messages = m_run.messages();
    messages.progress(QStringLiteral("Deleting existing Participations and Athletes"), QString());
    QString failure;
    const bool ok =
        wipeBeforeImport(*m_run.database(), m_meetingNo, m_setup.wipe, wipeTeamNo(), &failure);
    messages.progressDone();
    if (!ok)
        messages.warning(QStringLiteral("The existing Athletes could not be deleted: nothing was "
                                        "imported.\r\r") +
                         failure);
    return ok;
}

bool AthleteImport::write()
{
    db::DmdCoreDbs& database = *m_run.database();
    base::Messages& messages = m_run.messages();
    MeetingEntries existing;
    existing.load(database, m_meetingNo);
    messages.progress(QStringLiteral("Importing CSV athletes"), QString());
    ImportWriter writer(database, m_meetingNo, existing);
    const bool ok = writer.write(m_lines, m_setup.addTeams);
    messages.progressDone();
    m_counts = writer.counts();
    if (!ok) {
        messages.warning(QStringLiteral("The import failed and was undone: nothing was "
                                        "imported.\r\r") +
                         writer.failure());
    }
    return ok;
}

void AthleteImport::closeWithSummary()
{
    base::Messages& messages = m_run.messages();
    const QString summary = ImportReport::countsText(m_counts);
    // The offer to use the imported best performances is part of the one closing box.
    if (m_counts.bestsImported == 0 || m_context.settings.hasBestBefores) {
        messages.information(summary);
        return;
    }
    if (messages.confirm(summary + QStringLiteral("\r\rBest performances were imported, but "
                                                  "this meeting does not use them.\rSwitch on "
                                                  "the best performances for the meeting"))) {
        m_run.database()->execute(
            QStringLiteral("update MEETING set HAS_BEST_BEFORES=1 where MEETINGNO = ") +
            db::sqlInt(m_meetingNo));
    }
}

QString AthleteImport::lineName(int lineNo) const
{
    if (lineNo < 1 || lineNo > m_rows.size())
        return QString();
    const QStringList& cells = m_rows[lineNo - 1];
    const auto cell = [&cells](int column) {
        return column >= 1 && column <= cells.size() ? cells[column - 1].trimmed() : QString();
    };
    QStringList name;
    for (int column : {m_setup.surname, m_setup.firstName})
        if (!cell(column).isEmpty())
            name << cell(column);
    const QString team = m_setup.oneTeam ? m_setup.oneTeamAbbreviation : cell(m_setup.team);
    return name.join(QStringLiteral(", ")) +
           (team.isEmpty() ? QString() : QStringLiteral(" (") + team + QLatin1Char(')'));
}

AthleteImport::Outcome AthleteImport::run(const QString& path)
{
    base::Messages& messages = m_run.messages();
    if (!load(path))
        return Outcome::Refused;
    saveSetup();
    if (!check())
        return m_report.isEmpty() && m_numberProblems == 0 ? Outcome::Refused : Outcome::Stopped;
    // The wipe comes first and stays done, also when the import stops at the report.
    if (!wipe())
        return Outcome::Refused;
    if (!m_report.isEmpty()) {
        const bool goOn =
            m_reportQuestion
                ? m_reportQuestion(reportText())
                : messages.choose(
                      QStringLiteral("Importing Errors and Warnings"), reportText(),
                      {QStringLiteral("Stop"), QStringLiteral("Continue to import anyway")}) == 1;
        if (!goOn)
            return Outcome::Stopped;
    }
    if (!write())
        return Outcome::Refused;
    closeWithSummary();
    return Outcome::Imported;
}

} // namespace entries
