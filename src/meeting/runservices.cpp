#include "meeting/runservices.h"

#include "base/run.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingages.h"
#include "meeting/meetingsettings.h"
#include "meeting/translations.h"

namespace meeting {

namespace {

template <class T> base::ServicePtr<T> owned(T* service)
{
    return base::ServicePtr<T>(service, [](T* p) { delete p; });
}

} // namespace

void createRunSettings(base::Run& run)
{
    if (run.hasRunSettings()) {
        run.messages().internalError(10116, QStringLiteral("Run settings already created"));
        return;
    }
    run.setRunSettings(
        owned(new MeetingSettings()),
        owned(new ItemTypes(editionOf(run.globals().applicationCode()), run.messages())));
}

void createTranslations(base::Run& run)
{
    if (run.translations()) {
        run.messages().internalError(10111, QStringLiteral("dmdTamrokXlat already created"));
        return;
    }
    if (!run.database()) {
        run.messages().internalError(10112, QStringLiteral("dmdTamrokXlat needs the database"));
        return;
    }
    run.messages().progress(QString(), QStringLiteral("Preparing the database"));
    run.setTranslations(owned(new Translations(*run.database(), run.meeting())));
    run.messages().progressDone();
}

void freeTranslations(base::Run& run)
{
    if (!run.translations())
        run.messages().internalError(10113, QStringLiteral("dmdTamrokXlat already freed"));
    run.setTranslations(base::noService<Translations>());
}

void createMeetingAges(base::Run& run)
{
    if (run.meetingAges()) {
        run.messages().internalError(10114, QStringLiteral("ZMeetingAgesCreate already called"));
        return;
    }
    run.setMeetingAges(owned(new MeetingAges()));
}

void freeMeetingAges(base::Run& run)
{
    if (!run.meetingAges())
        run.messages().internalError(10115, QStringLiteral("ZMeetingAgesFree already called"));
    run.setMeetingAges(base::noService<MeetingAges>());
}

} // namespace meeting
