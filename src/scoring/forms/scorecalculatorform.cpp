#include "scoring/forms/scorecalculatorform.h"

#include "base/forms/buttontips.h"

#include "base/run.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "scoring/forms/reportform.h"
#include "scoring/forms/scoretabledialog.h"
#include "scoring/forms/selectscoredialog.h"
#include "scoring/scorecalculator.h"
#include "scoring/scoredata.h"
#include "scoring/scoresets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace scoring {

ScoreCalculatorForm::ScoreCalculatorForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run)
{
    setWindowTitle(QStringLiteral("Score Calculator"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_sets = new QComboBox(this);
    const ScoreData& data = ScoreData::builtIn();
    for (const ScoreSetInfo& info : allScoreSets()) {
        if (info.method == ScoreMethod::None || info.method == ScoreMethod::Retired ||
            info.method == ScoreMethod::IdentifierOnly || info.method == ScoreMethod::AgeFactors)
            continue;
        m_sets->addItem(scoreSetDisplayName(info.number) + (data.isLoaded(info.number)
                                                                ? QString()
                                                                : QStringLiteral("  (not loaded)")),
                        info.number);
    }
    // The meeting's own set first when it has one.
    const int meetingSet = int(run.meeting().integer(QStringLiteral("SCORESETNO")));
    const int index = m_sets->findData(meetingSet > 0 ? meetingSet : 5);
    m_sets->setCurrentIndex(std::max(0, index));
    form->addRow(QStringLiteral("Score &table"), m_sets);
    m_item = new QLineEdit(this);
    m_item->setPlaceholderText(QStringLiteral("Item code, e.g. SHD____100M25"));
    form->addRow(QStringLiteral("&Item"), m_item);
    m_height = new QLineEdit(
        QString::number(run.meeting().integer(QStringLiteral("HEIGHTABOVESEA"))), this);
    form->addRow(QStringLiteral("&Height above sea (m)"), m_height);
    m_hand = new QCheckBox(QStringLiteral("Hand timing"), this);
    form->addRow(QString(), m_hand);
    m_perf = new QLineEdit(this);
    form->addRow(QStringLiteral("&Performance"), m_perf);
    m_score = new QLineEdit(this);
    auto* scoreRow = new QHBoxLayout;
    scoreRow->addWidget(m_score, 1);
    auto* guide = new QPushButton(QStringLiteral("Se&lect Score..."), this);
    guide->setAutoDefault(false);
    guide->setToolTip(tr("Fills in the score of a level of competition, from the guide of "
                         "score bands"));
    connect(guide, &QPushButton::clicked, this, &ScoreCalculatorForm::selectScore);
    scoreRow->addWidget(guide);
    form->addRow(QStringLiteral("S&core"), scoreRow);
    // The label's key goes to the score itself, not the row.
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(scoreRow)))
        label->setBuddy(m_score);
    m_result = new QLabel(this);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QStringLiteral("Result"), m_result);
    m_handCorrection = new QLabel(QStringLiteral("0.00"), this);
    form->addRow(QStringLiteral("Hand-time correction"), m_handCorrection);
    m_altitudeCorrection = new QLabel(QStringLiteral("0.00"), this);
    form->addRow(QStringLiteral("Altitude correction"), m_altitudeCorrection);
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    auto* toScore = new QPushButton(QStringLiteral("Calculate Table &Score"), this);
    auto* toPerf = new QPushButton(QStringLiteral("Calculate Pe&rformance"), this);
    auto* table = new QPushButton(QStringLiteral("Print Score &Table..."), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    table->setAutoDefault(false);
    table->setToolTip(tr("Prints the performances worth a range of scores for the items you "
                         "name, under this score table, height and timing"));
    connect(table, &QPushButton::clicked, this, &ScoreCalculatorForm::printScoreTable);
    toScore->setToolTip(tr("Gives the table points of the performance typed (Enter in it)"));
    toPerf->setToolTip(tr("Gives the performance that earns the points typed (Enter in them)"));
    close->setToolTip(base::closeTip());
    connect(toScore, &QPushButton::clicked, this, &ScoreCalculatorForm::calculateTableScore);
    connect(toPerf, &QPushButton::clicked, this, &ScoreCalculatorForm::calculatePerformance);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_perf, &QLineEdit::returnPressed, this, &ScoreCalculatorForm::calculateTableScore);
    connect(m_score, &QLineEdit::returnPressed, this, &ScoreCalculatorForm::calculatePerformance);
    buttons->addWidget(toScore);
    buttons->addWidget(toPerf);
    buttons->addWidget(table);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

QString ScoreCalculatorForm::result() const
{
    return m_result->text();
}

namespace {

// The item as typed, in any case, in its own spelling.
CalculatorInput inputOf(const ScoreCalculatorForm& form, const meeting::ItemTypes& items)
{
    return {form.sets()->currentData().toInt(), items.CanonicalItemCode(form.item()->text()),
            form.height()->text(), form.hand()->isChecked()};
}

} // namespace

void ScoreCalculatorForm::calculateTableScore()
{
    // Scoring is of the athletics items whatever edition this run is.
    meeting::ItemTypes items(meeting::Edition::Athletics, m_run.messages());
    ScoreCalculator calculator(items, m_run.messages());
    const CalculatorInput input = inputOf(*this, m_run.items());
    const std::optional<int> points = calculator.tableScore(input, m_perf->text());
    m_result->setText(points ? QString::number(*points) + QStringLiteral(" points") : QString());
    if (points) {
        m_handCorrection->setText(calculator.handCorrectionText(input));
        m_altitudeCorrection->setText(calculator.altitudeCorrectionText(input));
    }
}

std::optional<Report> ScoreCalculatorForm::scoreTable(const QStringList& itemCodes, int from,
                                                      int to, int step)
{
    meeting::ItemTypes items(meeting::Edition::Athletics, m_run.messages());
    ScoreCalculator calculator(items, m_run.messages());
    QStringList codes;
    for (const QString& code : itemCodes)
        codes.append(m_run.items().CanonicalItemCode(code));
    CalculatorInput input = inputOf(*this, m_run.items());
    input.itemCode = codes.value(0);
    return calculator.scoreTable(input, codes, from, to, step);
}

void ScoreCalculatorForm::printScoreTable()
{
    ScoreTableDialog dialog(m_item->text().trimmed(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::optional<Report> report = scoreTable(dialog.itemCodes(), dialog.from()->value(),
                                              dialog.to()->value(), dialog.step()->value());
    if (!report)
        return;
    ReportForm form(m_run, std::move(*report), this);
    form.exec();
}

void ScoreCalculatorForm::selectScore()
{
    SelectScoreDialog dialog(m_sets->currentData().toInt(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    useScore(dialog.chosenScore());
}

void ScoreCalculatorForm::useScore(int score)
{
    m_score->setText(QString::number(score));
    m_score->setFocus();
    // With an item typed the performance worth the score follows at once.
    if (!m_item->text().trimmed().isEmpty())
        calculatePerformance();
}

void ScoreCalculatorForm::calculatePerformance()
{
    meeting::ItemTypes items(meeting::Edition::Athletics, m_run.messages());
    ScoreCalculator calculator(items, m_run.messages());
    const CalculatorInput input = inputOf(*this, m_run.items());
    const std::optional<double> perf = calculator.performance(input, m_score->text());
    m_result->setText(perf ? items.PerfValueToText(input.itemCode, *perf, false) : QString());
    if (perf) {
        m_handCorrection->setText(calculator.handCorrectionText(input));
        m_altitudeCorrection->setText(calculator.altitudeCorrectionText(input));
    }
}

} // namespace scoring
