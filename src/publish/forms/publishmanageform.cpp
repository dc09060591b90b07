#include "publish/forms/publishmanageform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "publish/eventresults.h"
#include "publish/meetingindex.h"
#include "publish/publishsettings.h"
#include "publish/sitepublish.h"
#include "publish/weblayout.h"
#include "publish/webmanage.h"
#include "publish/webpages.h"
#include "publish/webresults.h"
#include "publish/website.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

namespace publish {

namespace {

constexpr int kProgramNoRole = Qt::UserRole;
constexpr int kOrphanRole = Qt::UserRole + 1;

} // namespace

PublishManageForm::PublishManageForm(base::Run& run, QWidget* parent) : QDialog(parent), m_run(run)
{
    setWindowTitle(QStringLiteral("Publish to the Web"));
    const PublishSettings s = PublishSettings::read(run.config());
    auto* layout = new QVBoxLayout(this);

    auto* settings = new QGroupBox(QStringLiteral("Web site"), this);
    auto* form = new QFormLayout(settings);
    auto* rootRow = new QHBoxLayout;
    m_root = new QLineEdit(s.webRoot, settings);
    rootRow->addWidget(m_root);
    base::addActionButton(rootRow, QStringLiteral("&Browse..."),
                          tr("Chooses the folder the web pages are written to"), [this] {
                              const QString dir = QFileDialog::getExistingDirectory(
                                  this, QStringLiteral("Web root"), m_root->text());
                              if (!dir.isEmpty()) {
                                  m_root->setText(dir);
                                  refresh();
                              }
                          });
    // A folder typed in is taken when the field is left: the lists below follow it.
    connect(m_root, &QLineEdit::editingFinished, this, [this] { refresh(); });
    form->addRow(QStringLiteral("Web root folder"), rootRow);
    m_day = new QSpinBox(settings);
    int first = 0, last = 0;
    const bool days = programDays(run, &first, &last, false) && last > 1;
    m_day->setRange(1, std::max(1, last));
    m_day->setValue(std::max(1, s.publishDay));
    m_day->setEnabled(days); // only a meeting of more than one day has a choice
    form->addRow(QStringLiteral("Current Publishing Day"), m_day);
    m_program = new QCheckBox(QStringLiteral("&Program"), settings);
    m_starters = new QCheckBox(QStringLiteral("S&tarters"), settings);
    m_totals = new QCheckBox(QStringLiteral("Team T&otals"), settings);
    m_program->setChecked(s.mustProgram);
    m_starters->setChecked(s.mustStarters);
    m_totals->setChecked(s.mustTeamTotals);
    auto* ticks = new QHBoxLayout;
    ticks->addWidget(m_program);
    ticks->addWidget(m_starters);
    ticks->addWidget(m_totals);
    form->addRow(QStringLiteral("MeetingIndex links"), ticks);
    m_refresh = new QCheckBox(QStringLiteral("Index pages refresh every 30 seconds"), settings);
    m_refresh->setChecked(s.autoRefresh);
    form->addRow(QString(), m_refresh);
    layout->addWidget(settings);

    auto* actions = new QGridLayout;
    base::addActionButton(actions, 0, 0, QStringLiteral("&MeetingIndex"),
                          tr("Writes the index page of the meeting"),
                          [this] { createMeetingIndex(); });
    base::addActionButton(actions, 0, 1, QStringLiteral("Pro&gram of the Day"),
                          tr("Writes the program of the publishing day"),
                          [this] { publishProgramOfDay(); });
    base::addActionButton(actions, 0, 2, QStringLiteral("Team Tot&als"),
                          tr("Writes the page of the team totals"), [this] { publishTotals(); });
    base::addActionButton(actions, 1, 0, QStringLiteral("All Starters"),
                          tr("Writes the start lists of every event"),
                          [this] { publishAllStarters(); });
    base::addActionButton(actions, 1, 1, QStringLiteral("Select from a list"),
                          tr("Writes the start lists of the events you choose"),
                          [this] { publishSelectedStarters(); });
    base::addActionButton(actions, 2, 0, QStringLiteral("&Whole Meeting"),
                          tr("Writes every result, the pages ticked above and the meeting's "
                             "index page"),
                          [this] { publishWholeMeeting(); });
    base::addActionButton(
        actions, 1, 2, QStringLiteral("&View site"),
        tr("Opens the meeting's index page in the web browser"), [this] {
            if (saveSettings())
                QDesktopServices::openUrl(QUrl::fromLocalFile(
                    QDir(m_root->text()).filePath(QStringLiteral("MeetingIndex.html"))));
        });
    layout->addLayout(actions);

    // One list for both: the results waiting to be published, or (ticked) those already
    // published, to be published again after a correction.
    auto* waitingRow = new QHBoxLayout;
    m_waitingLabel = new QLabel(this);
    waitingRow->addWidget(m_waitingLabel, 1);
    m_showPrinted = new QCheckBox(QStringLiteral("&Show the results already printed"), this);
    m_showPrinted->setToolTip(tr("Lists the published results, to publish them again"));
    waitingRow->addWidget(m_showPrinted);
    layout->addLayout(waitingRow);
    m_waiting = new QListWidget(this);
    m_waiting->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(m_waiting);
    m_printButton =
        base::addActionButton(layout, QStringLiteral("P&rint selecteds"),
                              tr("Writes the results selected in the list above to the web site"),
                              [this] { printSelected(); });
    connect(m_showPrinted, &QCheckBox::toggled, this, [this] { refresh(); });
    layout->addWidget(
        new QLabel(QStringLiteral("Files not in Index / Indexes without a File"), this));
    m_orphans = new QListWidget(this);
    m_orphans->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(m_orphans);
    base::addActionButton(layout, QStringLiteral("D&elete selected (Files and Indexes)"),
                          tr("Deletes the files and index lines selected in the list above"),
                          [this] { deleteSelectedOrphans(); });
    base::addActionButton(layout, QStringLiteral("C&lose"),
                          tr("Keeps the web site settings and closes this screen"), [this] {
                              saveSettings();
                              accept();
                          });
    base::resizeWithinDesktop(this, QSize(640, 720));
    refresh();
}

PublishManageForm::~PublishManageForm() = default;

bool PublishManageForm::saveSettings()
{
    PublishSettings s = PublishSettings::read(m_run.config());
    s.webRoot = m_root->text().trimmed();
    s.publishDay = m_day->value();
    s.mustProgram = m_program->isChecked();
    s.mustStarters = m_starters->isChecked();
    s.mustTeamTotals = m_totals->isChecked();
    s.autoRefresh = m_refresh->isChecked();
    return s.write(m_run.config());
}

void PublishManageForm::refresh()
{
    const bool reprint = m_showPrinted->isChecked();
    m_waitingLabel->setText(reprint ? QStringLiteral("Results already printed to Web-files")
                                    : QStringLiteral("Results not printed to Web-files yet"));
    m_printButton->setText(reprint ? QStringLiteral("Re-P&rint Selecteds")
                                   : QStringLiteral("P&rint selecteds"));
    m_waiting->clear();
    m_orphans->clear();
    const QString root = m_root->text().trimmed();
    if (!saveSettings())
        return;
    // Without a folder nothing can be listed: say why instead of showing an empty list.
    if (root.isEmpty() || !QDir(root).exists()) {
        auto* why =
            new QListWidgetItem(root.isEmpty() ? QStringLiteral("Web root folder is empty")
                                               : QStringLiteral("Folder does not exist: ") + root);
        why->setFlags(Qt::NoItemFlags);
        m_waiting->addItem(why);
        return;
    }
    WebSite site(m_run);
    for (const qint64 programNo : reprint ? publishedResults(site) : unpublishedResults(site)) {
        const std::optional<results::CaptureProgramRow> row =
            results::captureProgramRow(*m_run.database(), m_run.items(), programNo);
        auto* item = new QListWidgetItem(row ? eventTitle(*row) : QString::number(programNo));
        item->setData(kProgramNoRole, programNo);
        m_waiting->addItem(item);
    }
    if (m_waiting->count() == 0)
        m_waiting->addItem(reprint ? QStringLiteral("No Results printed to Web-files yet")
                                   : QStringLiteral("All Results already Printed"));
    const SiteReport report = inspectSite(site);
    for (const QString& f : report.filesNotInIndex) {
        auto* item = new QListWidgetItem(QStringLiteral("Files not in Index: ") + f);
        item->setData(kOrphanRole, 1);
        item->setData(kProgramNoRole, f);
        m_orphans->addItem(item);
    }
    for (const QString& f : report.indexesWithoutFile) {
        auto* item = new QListWidgetItem(QStringLiteral("Indexes without a File: ") + f);
        item->setData(kOrphanRole, 2);
        item->setData(kProgramNoRole, f);
        m_orphans->addItem(item);
    }
}

void PublishManageForm::createMeetingIndex()
{
    if (!saveSettings())
        return;
    WebSite site(m_run);
    if (writeMeetingIndex(site))
        tellDone(site, QStringLiteral("MeetingIndex.html"));
    refresh();
}

void PublishManageForm::publishWholeMeeting()
{
    if (!saveSettings())
        return;
    WebSite site(m_run);
    if (publishMeeting(site))
        m_run.messages().information(QStringLiteral("Done publishing the whole Meeting\rCopy all "
                                                    "files in ") +
                                     site.root() + QStringLiteral(" to the website"));
    refresh();
}

void PublishManageForm::tellDone(WebSite& site, const QString& file)
{
    m_run.messages().information(QStringLiteral("Done creating web-file ") + file +
                                 QStringLiteral("\rCopy all files in ") + site.root() +
                                 QStringLiteral(" to the website"));
}

QString PublishManageForm::dayFile(const char* name) const
{
    return QStringLiteral("Day") + QString::number(m_day->value()) + QLatin1Char('/') +
           QString::fromLatin1(name);
}

void PublishManageForm::publishProgramOfDay()
{
    if (!saveSettings())
        return;
    WebSite site(m_run);
    if (publishProgram(site, m_day->value()))
        tellDone(site, dayFile(kProgramPage));
}

void PublishManageForm::publishAllStarters()
{
    if (!saveSettings())
        return;
    WebSite site(m_run);
    if (publishStarters(site, m_day->value(), {}))
        tellDone(site, dayFile(kStartersPage));
}

void PublishManageForm::publishSelectedStarters()
{
    if (!saveSettings())
        return;
    WebSite site(m_run);
    SeqRange range;
    QString text =
        SeqRange::parse(m_run.config().readText(QStringLiteral("PUB_STARTERS_SEQ_RANGE")), &range)
            ? range.text()
            : QString();
    if (!m_run.messages().askText(QStringLiteral("Seq range"), &text))
        return;
    if (!SeqRange::parse(text, &range)) {
        m_run.messages().warning(QStringLiteral("Type the range as FROM-TO, e.g. 3-12"));
        return;
    }
    if (publishStarters(site, m_day->value(), range))
        tellDone(site, dayFile(kStartersPage));
}

void PublishManageForm::publishTotals()
{
    if (!saveSettings())
        return;
    WebSite site(m_run);
    if (publishTeamTotals(site))
        tellDone(site, QStringLiteral("TeamTotals.html"));
}

void PublishManageForm::printSelected()
{
    if (!saveSettings())
        return;
    WebSite site(m_run);
    QList<qint64> chosen;
    for (const QListWidgetItem* item : m_waiting->selectedItems()) {
        const qint64 programNo = item->data(kProgramNoRole).toLongLong();
        if (programNo > 0)
            chosen << programNo;
    }
    if (!chosen.isEmpty())
        publishManyResults(site, chosen);
    refresh();
}

void PublishManageForm::deleteSelectedOrphans()
{
    if (!saveSettings())
        return;
    WebSite site(m_run);
    SiteReport chosen;
    for (const QListWidgetItem* item : m_orphans->selectedItems()) {
        if (item->data(kOrphanRole).toInt() == 1)
            chosen.filesNotInIndex << item->data(kProgramNoRole).toString();
        else
            chosen.indexesWithoutFile << item->data(kProgramNoRole).toString();
    }
    if (chosen.clean() ||
        !m_run.messages().confirm(QStringLiteral("Delete selected (Files and Indexes)")))
        return;
    deleteOrphans(site, chosen);
    refresh();
}

void openPublishManage(QWidget* parent, base::Run& run)
{
    PublishManageForm form(run, parent);
    form.exec();
}

} // namespace publish
