#pragma once

#include "meeting/forms/columnsettingsform.h"
#include "meeting/meetingidentity.h"
#include "meeting/reportlogos.h"

#include <optional>

class QLabel;

namespace meeting {

// "Settings: Meeting General": the meeting's date, name and venue, the two report logos,
// and how records are printed. "Done" saves; a logo chosen or cleared is written then too.
class SettingsMeetingGeneralForm : public ColumnSettingsForm {
    Q_OBJECT
public:
    SettingsMeetingGeneralForm(base::Run& run, QWidget* parent = nullptr);

    // Opens the dialog of a new meeting on the shown date, name and venue.
    void editIdentity();
    void setIdentity(const MeetingIdentity& identity);
    const MeetingIdentity& identity() const { return m_identity; }

    // Asks for a BMP or JPG file for the logo of `side`; it is stored on "Done".
    void chooseLogo(LogoSide side);
    void clearLogo(LogoSide side);
    // The logo shown for `side`: the chosen one, or the stored one.
    const ReportLogo& logo(LogoSide side) const { return m_logos[index(side)].shown; }

    void accept() override;
    void reject() override;

private:
    struct LogoBox {
        ReportLogo shown;
        bool changed = false;
        QLabel* picture = nullptr;
        QLabel* name = nullptr;
    };
    static int index(LogoSide side) { return side == LogoSide::Meeting ? 0 : 1; }
    QWidget* createLogoBox(LogoSide side, const QString& title);
    void showIdentity();
    void showLogo(LogoSide side);
    bool saveLogos();
    bool logosChanged() const { return m_logos[0].changed || m_logos[1].changed; }

    MeetingIdentity m_identity;
    QLabel* m_shown;
    LogoBox m_logos[2];
};

} // namespace meeting
