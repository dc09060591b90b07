#pragma once

#include "shell/appglobals.h"
#include "shell/clock.h"
#include "shell/configstore.h"
#include "shell/messages.h"

#include <memory>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
class MeetingAges;
class MeetingSettings;
class Translations;
} // namespace meeting

namespace shell {

// What the system keeps for one run: the globals, the message conventions, the per-user
// configuration store, the database connection and the current meeting. The run loop
// (or the CLI's main) creates it and passes it by reference; a restart builds a new one.
class Run {
public:
    Run(MessageSink& sink, const QString& applicationCode = QString::fromLatin1(kApplicationCode),
        const QString& configPath = QString());
    ~Run();
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    AppGlobals& globals() { return m_globals; }
    Messages& messages() { return m_messages; }
    ConfigStore& config() { return m_config; }

    // The data module; null until createDatabaseModule().
    db::DmdCoreDbs* database() { return m_database.get(); }
    db::DmdCoreDbs& createDatabaseModule();
    void freeDatabaseModule();
    bool isConnected() const;

    int currentMeetingNo() const { return m_currentMeetingNo; }
    void setCurrentMeetingNo(int meetingNo) { m_currentMeetingNo = meetingNo; }

    // The current meeting's loaded settings (meeting::setCurrentMeeting fills them).
    meeting::MeetingSettings& meeting() { return *m_meeting; }
    // The item codes and performance texts of the run's edition (made from the
    // application code), one object per run.
    const meeting::ItemTypes& items() const { return *m_items; }
    // The per-run services of the meeting area: null until created (after the database
    // module); a second creation or free is an internal error.
    meeting::Translations* translations() { return m_translations.get(); }
    meeting::MeetingAges* meetingAges() { return m_meetingAges.get(); }
    void createTranslations();
    void freeTranslations();
    void createMeetingAges();
    void freeMeetingAges();

    // The local time of the run: snapshot names and the half hour of the backup offer.
    QDateTime now() const { return m_clock(); }
    void setClock(Clock clock) { m_clock = std::move(clock); }
    const Clock& clock() const { return m_clock; }

private:
    AppGlobals m_globals;
    Messages m_messages;
    ConfigStore m_config;
    std::unique_ptr<db::DmdCoreDbs> m_database;
    int m_currentMeetingNo = 0;
    std::unique_ptr<meeting::MeetingSettings> m_meeting;
    std::unique_ptr<meeting::ItemTypes> m_items;
    std::unique_ptr<meeting::Translations> m_translations;
    std::unique_ptr<meeting::MeetingAges> m_meetingAges;
    Clock m_clock = systemClock();
};

} // namespace shell
