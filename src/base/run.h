#pragma once

#include "base/appglobals.h"
#include "base/clock.h"
#include "base/configstore.h"
#include "base/messages.h"

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

namespace base {

// A service of the run owned by pointer: the area that creates it hands over its deleter,
// so the run needs no complete type of the areas above it.
template <class T> using ServicePtr = std::unique_ptr<T, void (*)(T*)>;

template <class T> ServicePtr<T> noService()
{
    return ServicePtr<T>(nullptr, nullptr);
}

// What the system keeps for one run: the globals, the message conventions, the per-user
// configuration store, the database connection and the current meeting. The run loop
// (or the CLI's main) creates it and passes it by reference; a restart builds a new one.
// The services are created and freed by their own areas (db::createDatabaseModule,
// meeting::createRunSettings, meeting::createTranslations, ...), which also make the
// "created once" checks.
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

    // The data module; null until db::createDatabaseModule().
    db::DmdCoreDbs* database() { return m_database.get(); }
    void setDatabase(ServicePtr<db::DmdCoreDbs> database) { m_database = std::move(database); }
    ServicePtr<db::DmdCoreDbs> takeDatabase()
    {
        return std::exchange(m_database, noService<db::DmdCoreDbs>());
    }

    int currentMeetingNo() const { return m_currentMeetingNo; }
    void setCurrentMeetingNo(int meetingNo) { m_currentMeetingNo = meetingNo; }

    // The current meeting's loaded settings (meeting::setCurrentMeeting fills them) and the
    // item codes and performance texts of the run's edition: one object each per run, made
    // by meeting::createRunSettings right after the run.
    meeting::MeetingSettings& meeting() { return *required(m_meeting.get()); }
    const meeting::ItemTypes& items() const { return *required(m_items.get()); }
    bool hasRunSettings() const { return m_meeting && m_items; }
    void setRunSettings(ServicePtr<meeting::MeetingSettings> settings,
                        ServicePtr<meeting::ItemTypes> items)
    {
        m_meeting = std::move(settings);
        m_items = std::move(items);
    }

    // The per-run services of the meeting area: null until created (after the database
    // module).
    meeting::Translations* translations() { return m_translations.get(); }
    meeting::MeetingAges* meetingAges() { return m_meetingAges.get(); }
    void setTranslations(ServicePtr<meeting::Translations> t) { m_translations = std::move(t); }
    void setMeetingAges(ServicePtr<meeting::MeetingAges> a) { m_meetingAges = std::move(a); }

    // The local time of the run: snapshot names and the half hour of the backup offer.
    QDateTime now() const { return m_clock(); }
    void setClock(Clock clock) { m_clock = std::move(clock); }
    const Clock& clock() const { return m_clock; }

private:
    // A run used before its settings were made is a fault of the program, not of the user.
    template <class T> static T* required(T* service)
    {
        if (!service)
            missingService();
        return service;
    }
    [[noreturn]] static void missingService();

    AppGlobals m_globals;
    Messages m_messages;
    ConfigStore m_config;
    int m_currentMeetingNo = 0;
    // Freed in the reverse order: the meeting services before the database module.
    ServicePtr<db::DmdCoreDbs> m_database = noService<db::DmdCoreDbs>();
    ServicePtr<meeting::MeetingSettings> m_meeting = noService<meeting::MeetingSettings>();
    ServicePtr<meeting::ItemTypes> m_items = noService<meeting::ItemTypes>();
    ServicePtr<meeting::Translations> m_translations = noService<meeting::Translations>();
    ServicePtr<meeting::MeetingAges> m_meetingAges = noService<meeting::MeetingAges>();
    Clock m_clock = systemClock();
};

} // namespace base
