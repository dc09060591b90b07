#include "shell/forms/mainscreen.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/runservices.h"
#include "entries/assigncategory.h"
#include "meeting/competitions.h"
#include "meeting/currentmeeting.h"
#include "meeting/daycheck.h"
#include "meeting/relayerrs.h"
#include "records/swimitemcheck.h"
#include "scoring/forms/selectscoretabledialog.h"
#include "shell/eventsetting.h"
#include "shell/forms/selectmeetingform.h"
#include "shell/mainscreenstate.h"
#include "shell/meetingchoice.h"
#include "shell/workflowchecks.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace shell {

namespace {

QString notYet(const QString& opens)
{
    return QStringLiteral("Not available yet: opens ") + opens + QLatin1Char('.');
}

QString shown(const QString& text)
{
    return QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// The settings buttons, as the table of buttons names them, with what each opens.
const QList<std::pair<QString, QString>>& settingsButtons()
{
    static const QList<std::pair<QString, QString>> list{
        {QStringLiteral("Settings: Meeting General   "),
         QStringLiteral("the general settings of the meeting")},
        {QStringLiteral("Settings: All"), QStringLiteral("the menu of all meeting settings")},
        {QStringLiteral("Settings: Determine Program"),
         QStringLiteral("the settings that determine the program")},
        {QStringLiteral("Settings: Describe Items"),
         QStringLiteral("the settings that describe the items")},
        {QStringLiteral("Settings: Categories"), QStringLiteral("the categories of the meeting")},
        {QStringLiteral("Settings: Athletes"), QStringLiteral("the settings of the swimmers")},
        {QStringLiteral("Settings: Capturing During"),
         QStringLiteral("the settings of capturing during the meeting")},
        {QStringLiteral("Settings: Winners"), QStringLiteral("the settings of the winners")},
        {QStringLiteral("Settings: Competitions"),
         QStringLiteral("the settings of the competitions")},
        {QStringLiteral("Settings: Scores and Points"),
         QStringLiteral("the settings of scores and points")},
    };
    return list;
}

} // namespace

MainScreen::MainScreen(base::Run& run, base::ScreenOpeners openers, QWidget* parent)
    : QDialog(parent), m_run(run), m_openers(std::move(openers))
{
    const MainScreenState state = prepareMainScreen(run);
    setWindowTitle(state.caption);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    buildMenu(bar);
    layout->setMenuBar(bar);

    auto* top = new QHBoxLayout;
    top->addWidget(buildManageArea(), 1);
    top->addWidget(buildFacilitiesArea(), 0);
    layout->addLayout(top);
    layout->addWidget(buildWorkArea());
    layout->addWidget(buildDeveloperPanel());
    // Each digit key presses the button of its step.
    for (int i = 0; i < m_digitButtons.size(); ++i) {
        QPushButton* b = m_digitButtons[i];
        b->setToolTip(b->toolTip() + QStringLiteral(" (key %1)").arg(i + 1));
    }

    auto* bottom = new QHBoxLayout;
    m_connected = new QLabel(state.connectedText, this);
    m_connected->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bottom->addWidget(m_connected, 1);
    auto* exit = new QPushButton(QStringLiteral("E&xit"), this);
    exit->setAutoDefault(false);
    connect(exit, &QPushButton::clicked, this, [this] { exitClicked(); });
    exit->setToolTip(QStringLiteral("Ends the program (Alt+X)"));
    m_buttons.insert(QStringLiteral("E&xit"), exit);
    bottom->addWidget(exit);
    layout->addLayout(bottom);

    m_meetingText->setText(shown(state.meetingText));
    m_buttons.value(QStringLiteral("Edit Meetings"))->setVisible(state.showEditMeetings);
    m_developer->setVisible(state.developerPanels);
    // Set without storing: only a click stores the choice.
    (state.complexView ? m_perItem : m_perEvent)->setChecked(true);
    connect(m_perItem, &QRadioButton::clicked, this, [this] { viewChosen(true); });
    connect(m_perEvent, &QRadioButton::clicked, this, [this] { viewChosen(false); });
}

QPushButton* MainScreen::addButton(const QString& key, const QString& text, bool available,
                                   const QString& opens, const std::function<void()>& action)
{
    auto* b = new QPushButton(text, this);
    b->setAutoDefault(false);
    b->setEnabled(available);
    b->setToolTip(available ? QStringLiteral("Opens ") + opens : notYet(opens));
    connect(b, &QPushButton::clicked, this, action);
    m_buttons.insert(key, b);
    return b;
}

QAction* MainScreen::addAction(QMenu* menu, const QString& text, bool available,
                               const QString& opens)
{
    QAction* action = menu->addAction(text);
    action->setEnabled(available);
    if (!available) {
        action->setToolTip(notYet(opens));
        action->setStatusTip(notYet(opens));
    }
    m_actions.insert(text, action);
    return action;
}

QWidget* MainScreen::buildManageArea()
{
    auto* box = new QGroupBox(QStringLiteral("Manage Meetings"), this);
    auto* grid = new QGridLayout(box);
    QPushButton* b1 = addButton(QStringLiteral("1.  &New Meeting"),
                                QStringLiteral("1.  &New Meeting"), bool(m_openers.openNewMeeting),
                                QStringLiteral("the new meeting screen"), [this] { newMeeting(); });
    m_digitButtons << b1;
    grid->addWidget(b1, 0, 0);
    grid->addWidget(addButton(QStringLiteral("Edit Meetings"), QStringLiteral("Edit Meetings"),
                              bool(m_openers.openEditMeetings),
                              QStringLiteral("the meeting editor"), [this] { editMeetings(); }),
                    1, 0);
    grid->addWidget(addButton(QStringLiteral("&Select Meeting"), QStringLiteral("&Select Meeting"),
                              true,
                              QStringLiteral("the list of meetings to choose the current one"),
                              [this] { selectMeeting(); }),
                    2, 0);
    auto* caption = new QLabel(QStringLiteral("Current Selected Meeting"), box);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    grid->addWidget(caption, 0, 1);
    m_meetingText = new QLabel(box);
    m_meetingText->setWordWrap(true);
    m_meetingText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_meetingText->setFrameShape(QFrame::StyledPanel);
    m_meetingText->setMinimumWidth(360);
    grid->addWidget(m_meetingText, 1, 1, 2, 1);
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget* MainScreen::buildWorkArea()
{
    auto* box = new QGroupBox(QStringLiteral("Working on the Current selected meeting"), this);
    auto* columns = new QHBoxLayout(box);
    auto* flow = new QVBoxLayout;
    const QString person = m_run.globals().personWord();
    struct Step {
        QString key;
        QString text;
        bool available;
        QString opens;
        std::function<void()> action;
    };
    const QList<Step> steps{
        {QStringLiteral("2. Items"), QStringLiteral("2. Items  ( Select or Import )"),
         bool(m_openers.openItems), QStringLiteral("the items screen"), [this] { items(); }},
        {QStringLiteral("3. Program"), QStringLiteral("3. Program"), bool(m_openers.openProgram),
         QStringLiteral("the program screen"), [this] { program(); }},
        {QStringLiteral("4. Teams   "), QStringLiteral("4. Teams   "), bool(m_openers.openTeams),
         QStringLiteral("the teams screen"), [this] { teams(); }},
        {QStringLiteral("5. Athletes "), QStringLiteral("5. ") + person + QStringLiteral("s "),
         bool(m_openers.openAthletes), QStringLiteral("the swimmers screen"),
         [this] { athletes(); }},
        {QStringLiteral("6. Records"), QStringLiteral("6. Records"), bool(m_openers.openRecords),
         QStringLiteral("the record sets of the meeting"), [this] { records(); }},
        {QStringLiteral("7. Sheets "), QStringLiteral("7. Sheets "), bool(m_openers.openSheets),
         QStringLiteral("the printing of sheets"), [this] { sheets(); }},
        {QStringLiteral("8. Capture"), QStringLiteral("8. Capture"), bool(m_openers.openCapture),
         QStringLiteral("the capture screens"), [this] { capture(); }},
        {QStringLiteral("9.  After     "), QStringLiteral("9.  After     "),
         bool(m_openers.openAfter), QStringLiteral("the after-meeting menu"), [this] { after(); }},
    };
    for (const Step& step : steps) {
        QPushButton* b = addButton(step.key, step.text, step.available, step.opens, step.action);
        b->setMinimumHeight(30);
        m_digitButtons << b;
        flow->addWidget(b);
        if (step.key == QLatin1String("8. Capture")) {
            auto* view = new QHBoxLayout;
            view->setContentsMargins(24, 0, 0, 0);
            m_perEvent = new QRadioButton(QStringLiteral("Per Event (Simplex)"), box);
            m_perItem = new QRadioButton(QStringLiteral("Per Item (Complex)"), box);
            const std::pair<QRadioButton*, bool> views[] = {{m_perEvent, false}, {m_perItem, true}};
            for (const auto& [radio, complex] : views) {
                view->addWidget(radio);
                auto* help = new QPushButton(QStringLiteral("?"), box);
                help->setAutoDefault(false);
                help->setToolTip(complex ? QStringLiteral("Explains capturing per item")
                                         : QStringLiteral("Explains capturing per event"));
                help->setFixedWidth(28);
                const bool isComplex = complex;
                connect(help, &QPushButton::clicked, this,
                        [this, isComplex] { helpOnView(isComplex); });
                view->addWidget(help);
            }
            view->addStretch();
            flow->addLayout(view);
        }
    }
    columns->addLayout(flow, 1);

    auto* settingsColumn = new QVBoxLayout;
    for (const auto& [name, opens] : settingsButtons()) {
        QString text = name;
        if (name == QLatin1String("Settings: Athletes"))
            text = QStringLiteral("Settings: ") + person + QStringLiteral("s");
        const QString key = name;
        settingsColumn->addWidget(addButton(key, text, m_openers.openSettings.count(key) > 0, opens,
                                            [this, key] { settings(key); }));
    }
    settingsColumn->addStretch();
    columns->addLayout(settingsColumn, 1);
    return box;
}

QWidget* MainScreen::buildFacilitiesArea()
{
    auto* box =
        new QGroupBox(QStringLiteral("Facilities on data not related to a specific Meeting"), this);
    auto* column = new QVBoxLayout(box);
    column->addWidget(addButton(QStringLiteral("&Manage data"), QStringLiteral("&Manage data"),
                                bool(m_openers.openManageData),
                                QStringLiteral("the data-management menu"),
                                [this] { manageData(); }));
    column->addWidget(
        addButton(QStringLiteral("&General Utilities"), QStringLiteral("&General Utilities"),
                  bool(m_openers.openGeneralUtilities), QStringLiteral("the general utilities"),
                  [this] { generalUtilities(); }));
    column->addStretch();
    return box;
}

QWidget* MainScreen::buildDeveloperPanel()
{
    m_developer = new QGroupBox(QStringLiteral("Developer"), this);
    auto* row = new QHBoxLayout(m_developer);
    for (const QString& name : {QStringLiteral("Try"), QStringLiteral("Test Data Menu"),
                                QStringLiteral("Test Data"), QStringLiteral("Hurdle Spec")})
        row->addWidget(addButton(name, name, false, QStringLiteral("a developer's test"), [] {}));
    row->addWidget(new QLabel(QStringLiteral("Relay Errs:"), m_developer));
    QPushButton* check = addButton(
        QStringLiteral("Relay Errs Check"), QStringLiteral("Check"), true, QString(), [this] {
            m_run.messages().information(meeting::relayCheckText(meeting::checkRelayCodes(m_run)));
        });
    check->setToolTip(
        QStringLiteral("Counts the relay items still stored in the old form, table by table"));
    row->addWidget(check);
    QPushButton* fix = addButton(QStringLiteral("Relay Errs Fix"), QStringLiteral("Fix"), true,
                                 QString(), [this] { meeting::fixRelayCodes(m_run); });
    fix->setToolTip(
        QStringLiteral("Rewrites the relay items of the old form in every table, after asking"));
    row->addWidget(fix);
    row->addStretch();
    return m_developer;
}

void MainScreen::buildMenu(QMenuBar* bar)
{
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    connect(addAction(file, QStringLiteral("E&xit"), true, QString()), &QAction::triggered, this,
            [this] { exitClicked(); });

    QMenu* utilities = bar->addMenu(QStringLiteral("&Utilities"));
    connect(addAction(utilities, QStringLiteral("Disable Interbase Events"), true, QString()),
            &QAction::triggered, this, [this] { disableInterbaseEvents(m_run); });
    connect(addAction(utilities, QStringLiteral("Show Competitions"), true, QString()),
            &QAction::triggered, this, [this] {
                m_run.messages().information(
                    meeting::competitionsText(meeting::competitions(m_run)));
            });
    connect(addAction(utilities, QStringLiteral("Assign Category to Existing"), true, QString()),
            &QAction::triggered, this, [this] {
                if (requireMeeting())
                    entries::assignCategoryToExisting(m_run);
            });
    // Score tables belong to the athletics edition.
    const bool swimming = m_run.globals().isSwimming();
    QAction* scoreTable = addAction(utilities, QStringLiteral("Select Score Table"), !swimming,
                                    QStringLiteral("the choice of the meeting's score table"));
    if (swimming)
        scoreTable->setToolTip(m_run.globals().productName() +
                               QStringLiteral(" has no Score tables yet"));
    connect(scoreTable, &QAction::triggered, this, [this] {
        if (requireMeeting())
            scoring::selectScoreTable(this, m_run);
    });
    utilities->addSeparator();
    QAction* checkMeeting =
        addAction(utilities, QStringLiteral("Check Dolvane Meeting"), true, QString());
    QAction* fixMeeting =
        addAction(utilities, QStringLiteral("Fix Dolvane Meeting"), true, QString());
    QAction* fixRecordSet =
        addAction(utilities, QStringLiteral("Fix Dolvane Recordset"), true, QString());
    for (QAction* action : {checkMeeting, fixMeeting, fixRecordSet})
        action->setVisible(swimming);
    connect(checkMeeting, &QAction::triggered, this, [this] { swimmingItems(false); });
    connect(fixMeeting, &QAction::triggered, this, [this] { swimmingItems(true); });
    connect(fixRecordSet, &QAction::triggered, this, [this] {
        m_run.messages().information(
            QStringLiteral("The facility to fix the Items for a Dolvane Recordset\ris found under "
                           "the \"Manage Data\" -> \"RecordSets\"."));
    });
    // Entries of the other editions of the family.
    for (const QString& other :
         {QStringLiteral("Toggle Combine Buttons"), QStringLiteral("Super Utilities"),
          QStringLiteral("National Athlete Info"), QStringLiteral("Client Utilities")})
        addAction(utilities, other, false, QString())->setVisible(!m_run.globals().isSwimming());

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    connect(addAction(help, QStringLiteral("Overall Help"), true, QString()), &QAction::triggered,
            this, [this] { overallHelp(); });
    addAction(help, QStringLiteral("Help: Dolvane Errors"), false,
              QStringLiteral("the list of the meeting's swimming item errors"));
    connect(addAction(help, QStringLiteral("About"), true, QString()), &QAction::triggered, this,
            [this] { about(); });
}

QPushButton* MainScreen::button(const QString& text) const
{
    return m_buttons.value(text, nullptr);
}

QAction* MainScreen::menuAction(const QString& text) const
{
    return m_actions.value(text, nullptr);
}

QString MainScreen::meetingText() const
{
    return m_meetingText->text();
}

QString MainScreen::connectedText() const
{
    return m_connected->text();
}

void MainScreen::refreshMeetingText()
{
    m_meetingText->setText(shown(currentMeetingText(m_run)));
    if (m_run.currentMeetingNo() > 0)
        (complexCaptureView(m_run) ? m_perItem : m_perEvent)->setChecked(true);
}

void MainScreen::reject()
{
    if (m_run.messages().confirm(QStringLiteral("Exit ") + m_run.globals().productName()))
        done(kMainScreenExit);
}

void MainScreen::keyPressEvent(QKeyEvent* event)
{
    const int digit = event->key() - Qt::Key_1;
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (digit >= 0 && digit < m_digitButtons.size()) {
            QPushButton* b = m_digitButtons[digit];
            if (b->isEnabled())
                b->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void MainScreen::whileHidden(const std::function<void()>& openScreen)
{
    const bool wasVisible = isVisible();
    hide();
    openScreen();
    if (wasVisible)
        show();
}

bool MainScreen::requireMeeting()
{
    return meeting::requireCurrentMeeting(m_run);
}

void MainScreen::newMeeting()
{
    int meetingNo = 0;
    whileHidden([&] { meetingNo = m_openers.openNewMeeting(this, m_run); });
    if (meetingNo > 0)
        meeting::setCurrentMeeting(m_run, meetingNo);
    refreshMeetingText();
}

void MainScreen::editMeetings()
{
    if (!canEditMeetings(m_run))
        return;
    int meetingNo = 0;
    whileHidden([&] { meetingNo = m_openers.openEditMeetings(this, m_run); });
    afterEditMeetings(m_run, meetingNo);
    refreshMeetingText();
}

void MainScreen::selectMeeting()
{
    if (!canSelectMeeting(m_run))
        return;
    SelectMeetingForm form(meetingList(m_run), m_run.currentMeetingNo(),
                           m_run.globals().programTitle(), this);
    if (form.exec() == QDialog::Accepted && form.chosenMeetingNo() > 0)
        useAsCurrentMeeting(m_run, form.chosenMeetingNo());
    refreshMeetingText();
}

void MainScreen::swimmingItems(bool fix)
{
    if (!requireMeeting())
        return;
    ::records::SwimItemCheck check(*m_run.database(), m_run.items());
    if (fix)
        check.fix(::records::SwimItemTarget::Meeting, m_run.currentMeetingNo(), true);
    else
        check.check(::records::SwimItemTarget::Meeting, m_run.currentMeetingNo(), true);
}

void MainScreen::items()
{
    if (!requireMeeting())
        return;
    if (m_openers.checkItemFormat && !m_openers.checkItemFormat(m_run))
        return;
    whileHidden([&] { m_openers.openItems(this, m_run); });
}

void MainScreen::program()
{
    if (!requireMeeting() || !meeting::dayCheck(m_run))
        return;
    whileHidden([&] { m_openers.openProgram(this, m_run); });
}

void MainScreen::teams()
{
    if (!requireMeeting())
        return;
    whileHidden([&] { m_openers.openTeams(this, m_run); });
}

void MainScreen::athletes()
{
    if (!requireMeeting() || !canOpenAthletes(m_run))
        return;
    whileHidden([&] { m_openers.openAthletes(this, m_run); });
}

void MainScreen::records()
{
    if (!requireMeeting() || !canOpenRecords(m_run))
        return;
    whileHidden([&] { m_openers.openRecords(this, m_run); });
}

void MainScreen::sheets()
{
    if (!requireMeeting() || !meeting::dayCheck(m_run))
        return;
    whileHidden([&] { m_openers.openSheets(this, m_run); });
}

void MainScreen::capture()
{
    if (m_openers.checkPerformances && !m_openers.checkPerformances(m_run))
        return;
    if (!requireMeeting() || !meeting::dayCheck(m_run))
        return;
    if (m_openers.checkItemFormat && !m_openers.checkItemFormat(m_run))
        return;
    base::Messages& messages = m_run.messages();
    messages.progress(QStringLiteral("During"), QStringLiteral("Check for shortcommings in data"));
    const bool ready = hasItemsAndTeams(m_run) &&
                       (!m_openers.checkScoreTables || m_openers.checkScoreTables(m_run));
    messages.progressDone();
    if (!ready)
        return;
    messages.progress(QString(), QStringLiteral("Opening tables"));
    const bool complex = m_perItem->isChecked();
    messages.progressDone();
    whileHidden([&] { m_openers.openCapture(this, m_run, complex); });
}

void MainScreen::after()
{
    if (!requireMeeting() || !hasItemsAndTeams(m_run))
        return;
    whileHidden([&] { m_openers.openAfter(this, m_run); });
}

void MainScreen::settings(const QString& name)
{
    if (!requireMeeting())
        return;
    const auto opener = m_openers.openSettings.find(name);
    if (opener == m_openers.openSettings.end())
        return;
    whileHidden([&] { opener->second(this, m_run); });
    refreshMeetingText();
}

void MainScreen::manageData()
{
    const int before = m_run.currentMeetingNo();
    auto change = base::ScreenOpeners::DataChange::None;
    whileHidden([&] { change = m_openers.openManageData(this, m_run); });
    if (change != base::ScreenOpeners::DataChange::None) {
        done(change == base::ScreenOpeners::DataChange::Restart ? kMainScreenRestart
                                                                : kMainScreenExit);
        return;
    }
    if (m_run.currentMeetingNo() != before)
        refreshMeetingText();
}

void MainScreen::generalUtilities()
{
    whileHidden([&] { m_openers.openGeneralUtilities(this, m_run); });
    if (db::isConnected(m_run))
        m_run.database()->checkOpenObjects();
}

void MainScreen::exitClicked()
{
    if (m_run.messages().confirm(QStringLiteral("Are you sure you want to exit")))
        done(kMainScreenExit);
}

void MainScreen::viewChosen(bool complex)
{
    if (!requireMeeting())
        return;
    storeCaptureView(m_run, complex);
}

void MainScreen::helpOnView(bool complex)
{
    m_run.messages().information(
        complex ? QStringLiteral("Per Item (Complex)\r\rThe capture screen lists the items of "
                                 "the meeting. Each item shows all its rounds and heats at "
                                 "once,\rso that you can move between the heats of one item "
                                 "quickly.\rUse it when one official captures a whole item.")
                : QStringLiteral("Per Event (Simplex)\r\rThe capture screen lists the events of "
                                 "the program in their order, one heat at a time.\rUse it when "
                                 "results are captured as the heats finish."));
}

void MainScreen::overallHelp()
{
    m_run.messages().information(QStringLiteral(
        "Work from the top down:\r\r"
        "1. New Meeting: create the meeting (or select one with \"Select Meeting\").\r"
        "2. Items: choose the items that the meeting offers.\r"
        "3. Program: order the items into rounds and heats.\r"
        "4. Teams and 5. Swimmers: enter the teams, the swimmers and their entries.\r"
        "6. Records: the record sets that the meeting checks.\r"
        "7. Sheets: draw and print the sheets of each heat.\r"
        "8. Capture: capture times, places and statuses during the meeting.\r"
        "9. After: reports, scores and publishing.\r\r"
        "The keys 1 to 9 press the numbered buttons; Escape exits."));
}

void MainScreen::about()
{
    const base::AppGlobals& g = m_run.globals();
    m_run.messages().information(g.programTitle() + QStringLiteral("\rBuild ") + g.buildDate() +
                                 QStringLiteral("\r\rRuns swimming competitions from entry to "
                                                "results."));
}

} // namespace shell
