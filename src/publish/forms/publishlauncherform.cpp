#include "publish/forms/publishlauncherform.h"

#include "base/configstore.h"
#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/messages.h"
#include "base/run.h"
#include "publish/autotasks.h"
#include "publish/eventexports.h"
#include "publish/eventresults.h"
#include "publish/forms/autoprinterdialog.h"
#include "publish/forms/autoprinteroutput.h"
#include "publish/forms/publishexportsform.h"
#include "publish/forms/publishmanageform.h"
#include "publish/forms/racefileform.h"
#include "publish/textexports.h"
#include "publish/webpages.h"
#include "publish/webresults.h"
#include "publish/website.h"
#include "sheets/forms/sheetoutput.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace publish {

PublishLauncherForm::PublishLauncherForm(base::Run& run, qint64 programNo, QWidget* parent)
    : QDialog(parent), m_run(run), m_programNo(programNo)
{
    const std::optional<EventResults> event = eventResults(run, programNo);
    setWindowTitle(QStringLiteral("Publish: ") + (event ? event->title : QString()));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(event ? event->title : QStringLiteral("No such heat"), this));

    auto* one = new QGroupBox(QStringLiteral("This event"), this);
    auto* grid = new QGridLayout(one);
    base::addActionButton(grid, 0, 0, QStringLiteral("Results to &Web"),
                          tr("Writes this event's results to the web site"),
                          [this] { resultsToWeb(); });
    base::addActionButton(grid, 0, 1, QStringLiteral("&Starters to Web"),
                          tr("Writes this event's start list to the web site"),
                          [this] { startersToWeb(); });
    base::addActionButton(grid, 1, 0, QStringLiteral("Results to &Clipboard"),
                          tr("Copies this event's results as text"),
                          [this] { toClipboard(false); });
    base::addActionButton(grid, 1, 1, QStringLiteral("Starters to Clip&board"),
                          tr("Copies this event's start list as text"),
                          [this] { toClipboard(true); });
    base::addActionButton(grid, 2, 0, QStringLiteral("Results to CS&V"),
                          tr("Writes this event's results to a CSV file"),
                          [this] { toCsv(false, false); });
    base::addActionButton(grid, 2, 1, QStringLiteral("Starters to CSV"),
                          tr("Writes this event's start list to a CSV file"),
                          [this] { toCsv(true, false); });
    base::addActionButton(grid, 3, 0, QStringLiteral("Results to &XML"),
                          tr("Writes this event's results to an XML file"),
                          [this] { toCsv(false, true); });
    m_copies = new QSpinBox(one);
    m_copies->setRange(1, 20);
    m_copies->setSuffix(QStringLiteral(" copies"));
    auto* printRow = new QHBoxLayout;
    printRow->addWidget(m_copies);
    base::addActionButton(printRow, QStringLiteral("Pri&nt results"),
                          tr("Prints this event's results, as many copies as set beside"),
                          [this] { printCopies(); });
    grid->addLayout(printRow, 3, 1);
    layout->addWidget(one);

    auto* tasks = new QGroupBox(QStringLiteral("Auto-tasks"), this);
    auto* taskLayout = new QVBoxLayout(tasks);
    for (const auto& [key, text] :
         {std::pair{QStringLiteral("PUB_AUTO_WEB"), QStringLiteral("Results to the web site")},
          {QStringLiteral("PUB_AUTO_CLIP"), QStringLiteral("Results to the clipboard")},
          {QStringLiteral("PUB_AUTO_CSV_BCAST"), QStringLiteral("Results to CSV")},
          {QStringLiteral("PUB_AUTO_XML_BCAST"), QStringLiteral("Results to XML")},
          {QStringLiteral("PUB_AUTO_LUMARO"), QStringLiteral("Results released to Lumaro")}}) {
        auto* box = new QCheckBox(text, tasks);
        box->setChecked(run.config().readBool(key));
        const QString configKey = key;
        connect(box, &QCheckBox::toggled, this,
                [this, configKey](bool on) { m_run.config().writeBool(configKey, on); });
        taskLayout->addWidget(box);
        m_auto.append({key, box});
    }
    auto* autoPrint = new QHBoxLayout;
    auto* autoPrintLabel = new QLabel(QStringLiteral("Printed c&opies"), tasks);
    m_autoCopies = new QSpinBox(tasks);
    m_autoCopies->setRange(0, 20);
    m_autoCopies->setSpecialValueText(QStringLiteral("None"));
    m_autoCopies->setValue(run.config().readInt(QStringLiteral("PUB_AUTO_PRINT_COUNT")));
    autoPrintLabel->setBuddy(m_autoCopies);
    connect(m_autoCopies, &QSpinBox::valueChanged, this, [this](int copies) {
        m_run.config().writeInt(QStringLiteral("PUB_AUTO_PRINT_COUNT"), copies);
    });
    autoPrint->addWidget(autoPrintLabel);
    autoPrint->addWidget(m_autoCopies);
    m_autoPrinter = new QLabel(tasks);
    m_autoPrinter->setMinimumWidth(240); // the window keeps its size when a printer is chosen
    autoPrint->addWidget(m_autoPrinter, 1);
    base::addActionButton(autoPrint, QStringLiteral("Printe&r..."),
                          tr("Chooses the printer the Auto-tasks print to without asking"),
                          [this] { chooseAutoPrinter(); });
    taskLayout->addLayout(autoPrint);
    showAutoPrinter();
    base::addActionButton(taskLayout, QStringLiteral("[alt-P] = Auto"),
                          tr("Does the ticked auto-tasks for this event now (Alt+P)"),
                          [this] { runAuto(); });
    layout->addWidget(tasks);

    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    base::addActionButton(layout, QStringLiteral("&Manage the web site..."),
                          tr("Opens the settings and pages of the whole web site"),
                          [this] { openPublishManage(this, m_run); });
    base::addActionButton(layout, QStringLiteral("CSV Publishing M&enu..."),
                          tr("Opens the CSV files of any heat, all starters, the program, the "
                             "team totals as CSV or text, and the results archive"),
                          [this] { openPublishExports(this, m_run); });
    base::addActionButton(layout, QStringLiteral("&Timing race file..."),
                          tr("Reads a race file of the timing system and writes its times into "
                             "this heat or the one it names"),
                          [this] { openRaceFile(this, m_run, m_programNo); });
    base::addActionButton(layout, QStringLiteral("C&lose"), base::closeTip(), [this] { accept(); });
}

PublishLauncherForm::~PublishLauncherForm() = default;

void PublishLauncherForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_P && event->modifiers() == Qt::AltModifier) {
        runAuto();
        return;
    }
    QDialog::keyPressEvent(event);
}

QCheckBox* PublishLauncherForm::autoBox(const QString& key) const
{
    for (const auto& [k, box] : m_auto) {
        if (k == key)
            return box;
    }
    return nullptr;
}

void PublishLauncherForm::runAuto()
{
    WebSite site(m_run);
    const AutoTasksDone done = runAutoTasks(
        site, m_programNo, site.settings().autoPrintCount > 0 ? &autoPrinter() : nullptr);
    if (!done.clipboard.isEmpty())
        QGuiApplication::clipboard()->setText(done.clipboard);
    m_status->setText(done.done.join(QStringLiteral(", ")));
    showAutoPrinter(); // asked for at the first print
}

sheets::PageOutput& PublishLauncherForm::autoPrinter()
{
    if (m_printer)
        return *m_printer;
    if (!m_rememberedPrinter)
        m_rememberedPrinter = std::make_unique<AutoPrinterOutput>(m_run, this);
    return *m_rememberedPrinter;
}

void PublishLauncherForm::showAutoPrinter()
{
    // A long PDF path is shortened in the middle; the tooltip holds all of it.
    const QString text =
        QStringLiteral("Printer: ") + PublishSettings::read(m_run.config()).autoPrinter.text();
    m_autoPrinter->setToolTip(text);
    m_autoPrinter->setText(m_autoPrinter->fontMetrics().elidedText(text, Qt::ElideMiddle,
                                                                   m_autoPrinter->minimumWidth()));
}

void PublishLauncherForm::chooseAutoPrinter()
{
    const std::optional<AutoPrinter> chosen = publish::chooseAutoPrinter(
        m_run, this, PublishSettings::read(m_run.config()).autoPrinter, QString());
    if (chosen && setAutoPrinter(m_run.config(), *chosen))
        showAutoPrinter();
}

sheets::PageOutput& PublishLauncherForm::printer()
{
    if (m_printer)
        return *m_printer;
    if (!m_screenPrinter)
        m_screenPrinter = std::make_unique<sheets::ScreenSheetOutput>(m_run, this, false);
    return *m_screenPrinter;
}

void PublishLauncherForm::printCopies()
{
    if (printResultCopies(m_run, m_programNo, m_copies->value(), printer()))
        m_status->setText(QString::number(m_copies->value()) +
                          QStringLiteral(" copies of the results printed"));
}

void PublishLauncherForm::resultsToWeb()
{
    WebSite site(m_run);
    if (publishResults(site, m_programNo, true))
        m_status->setText(QStringLiteral("Results published to ") + site.root());
}

void PublishLauncherForm::startersToWeb()
{
    const std::optional<EventResults> event = eventResults(m_run, m_programNo);
    if (!event)
        return;
    WebSite site(m_run);
    const int day = event->row.day > 0 ? event->row.day : site.settings().publishDay;
    if (publishStarters(site, day, {event->row.seq, event->row.seq}))
        m_status->setText(QStringLiteral("Starters published to ") + site.root());
}

void PublishLauncherForm::toClipboard(bool starters)
{
    const std::optional<EventResults> event =
        exportedEvent(m_run, m_programNo, starters ? ExportKind::Starters : ExportKind::Results);
    if (!event)
        return;
    QGuiApplication::clipboard()->setText(clipboardText(m_run, *event, starters));
    m_status->setText(QStringLiteral("The text is on the clipboard"));
}

void PublishLauncherForm::toCsv(bool starters, bool xml)
{
    const ExportKind kind = starters ? ExportKind::Starters : ExportKind::Results;
    const bool done = xml ? exportEventXml(m_run, m_programNo, kind, QString())
                          : exportEventCsv(m_run, m_programNo, kind, QString());
    if (done)
        m_status->setText(xml ? QStringLiteral("XML written") : QStringLiteral("CSV written"));
}

void openPublishLauncher(QWidget* parent, base::Run& run, qint64 programNo)
{
    PublishLauncherForm form(run, programNo, parent);
    form.exec();
}

} // namespace publish
