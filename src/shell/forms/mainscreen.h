#pragma once

#include "base/forms/screenopeners.h"

#include <QDialog>
#include <QHash>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;

namespace base {
class Run;
}

namespace shell {

// The main workflow screen: the meetings, the numbered workflow buttons 1 to 9 with the
// settings of the current meeting, and the facilities not bound to a meeting. It ends with
// kMainScreenExit, or kMainScreenRestart when another database was connected.
class MainScreen : public QDialog {
    Q_OBJECT
public:
    MainScreen(base::Run& run, base::ScreenOpeners openers, QWidget* parent = nullptr);

    // The button with this text (as the table of buttons names it); null when none.
    QPushButton* button(const QString& text) const;
    QAction* menuAction(const QString& text) const;
    QRadioButton* perEventButton() const { return m_perEvent; }
    QRadioButton* perItemButton() const { return m_perItem; }
    QGroupBox* developerPanel() const { return m_developer; }
    QString meetingText() const;
    QString connectedText() const;

    void refreshMeetingText();

public slots:
    // Escape and the window's close button: "Exit Dolvane".
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildManageArea();
    QWidget* buildWorkArea();
    QWidget* buildFacilitiesArea();
    QWidget* buildDeveloperPanel();
    void buildMenu(QMenuBar* bar);
    // A button known by `key` (the text of the table of buttons); without `available` it is
    // disabled and its tooltip names the screen it will open.
    QPushButton* addButton(const QString& key, const QString& text, bool available,
                           const QString& opens, const std::function<void()>& action);
    QAction* addAction(QMenu* menu, const QString& text, bool available, const QString& opens);
    // Hides the main screen while another screen is shown.
    void whileHidden(const std::function<void()>& openScreen);
    bool requireMeeting();

    void newMeeting();
    void editMeetings();
    void selectMeeting();
    void items();
    // "Check Dolvane Meeting" and "Fix Dolvane Meeting" of the menu.
    void swimmingItems(bool fix);
    void program();
    void teams();
    void athletes();
    void records();
    void sheets();
    void capture();
    void after();
    void settings(const QString& name);
    void manageData();
    void generalUtilities();
    void exitClicked();
    void viewChosen(bool complex);
    void helpOnView(bool complex);
    void overallHelp();
    void about();

    base::Run& m_run;
    base::ScreenOpeners m_openers;
    QHash<QString, QPushButton*> m_buttons;
    QHash<QString, QAction*> m_actions;
    QList<QPushButton*> m_digitButtons; // 1 to 9
    QLabel* m_meetingText = nullptr;
    QLabel* m_connected = nullptr;
    QRadioButton* m_perEvent = nullptr;
    QRadioButton* m_perItem = nullptr;
    QGroupBox* m_developer = nullptr;
};

} // namespace shell
