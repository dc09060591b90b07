#include "draw/forms/complexformatdialog.h"

#include "base/forms/buttontips.h"

#include "base/messages.h"
#include "draw/heatformats.h"
#include "draw/heatgroups.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace draw {

ComplexFormatDialog::ComplexFormatDialog(Events& events, const HeatGroups& groups,
                                         ComplexEditor::Mode mode, qint64 eventNo, QWidget* parent)
    : QDialog(parent), m_events(events), m_editor(events, groups, mode),
      m_event(events.event(eventNo))
{
    setWindowTitle(QStringLiteral("Edit Heat Format"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(events.eventTitle(eventNo), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    layout->addWidget(
        new QLabel(mode == ComplexEditor::Mode::Complex
                       ? QStringLiteral("Complex format: up to three rounds before the final.")
                       : QStringLiteral("Semi-finals with places: one round before the final."),
                   this));

    auto* middle = new QHBoxLayout;
    auto* rounds = new QGroupBox(QStringLiteral("Rounds"), this);
    auto* grid = new QGridLayout(rounds);
    const QStringList columns{QStringLiteral("Heats"), QStringLiteral("Places"),
                              QStringLiteral("Times")};
    for (int c = 0; c < 3; ++c)
        grid->addWidget(new QLabel(columns[c], rounds), 0, c + 1, Qt::AlignHCenter);
    const FormatRows rows = FormatRows::of(m_event.formatEdit);
    for (int r = 0; r < 3; ++r) {
        auto* label = new QLabel(QStringLiteral("Round ") + QLatin1Char("CBA"[r]), rounds);
        grid->addWidget(label, r + 1, 0);
        const bool open = mode == ComplexEditor::Mode::Complex || r == FormatRows::A;
        for (int c = 0; c < 3; ++c) {
            auto* edit = new QLineEdit(rows.cells[r][c], rounds);
            edit->setMaxLength(5);
            edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                                16);
            edit->setAlignment(Qt::AlignRight);
            edit->setEnabled(open);
            grid->addWidget(edit, r + 1, c + 1);
            m_cells[r][c] = edit;
        }
        if (r == 0)
            label->setBuddy(m_cells[r][0]);
    }
    middle->addWidget(rounds);
    m_meaning = new QLabel(this);
    m_meaning->setWordWrap(true);
    for (auto& row : m_cells) {
        for (QLineEdit* edit : row)
            connect(edit, &QLineEdit::textChanged, this, [this] { showMeaning(); });
    }

    auto* rules = new QGroupBox(QStringLiteral("WorldAth heat format"), this);
    auto* rulesLayout = new QVBoxLayout(rules);
    m_proposalText = new QLabel(rules);
    m_proposalText->setFont(bold);
    rulesLayout->addWidget(m_proposalText);
    auto* defaults = new QPushButton(QStringLiteral("&Defaults"), rules);
    defaults->setAutoDefault(false);
    defaults->setToolTip(tr("Copies the format the rules propose into the rounds"));
    connect(defaults, &QPushButton::clicked, this, [this] { fillDefaults(); });
    rulesLayout->addWidget(defaults);
    rulesLayout->addWidget(new QLabel(QStringLiteral("Athletes per heat: ") +
                                          QString::number(groups.athletesPerHeat(m_event.itemCode)),
                                      rules));
    middle->addWidget(rules);
    layout->addLayout(middle);
    layout->addWidget(m_meaning);

    auto* count = new QGroupBox(QStringLiteral("Athlete count to use"), this);
    auto* countLayout = new QHBoxLayout(count);
    m_actual = new QRadioButton(
        QStringLiteral("&Actual (") + QString::number(m_event.athletes) + QLatin1Char(')'), count);
    m_estimated = new QRadioButton(QStringLiteral("&Estimated (") +
                                       QString::number(m_event.estimated) + QLatin1Char(')'),
                                   count);
    countLayout->addWidget(m_actual);
    countLayout->addWidget(m_estimated);
    (m_event.estimated >= m_event.athletes ? m_estimated : m_actual)->setChecked(true);
    connect(m_actual, &QRadioButton::toggled, this, [this] { showProposal(); });
    layout->addWidget(count);

    auto* finals = new QGroupBox(QStringLiteral("Are Heats Finals ?"), this);
    auto* finalsLayout = new QVBoxLayout(finals);
    m_finalsNo = new QRadioButton(QStringLiteral("&No : The final is run"), finals);
    m_finalsYes =
        new QRadioButton(QStringLiteral("&Yes : Heat-Times are used for ranking"), finals);
    finalsLayout->addWidget(m_finalsNo);
    finalsLayout->addWidget(m_finalsYes);
    setHeatsAreFinals(m_event.finalNotRun == 1);
    layout->addWidget(finals);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Accept"));
    buttons->button(QDialogButtonBox::Ok)->setToolTip(tr("Keeps this heat format (Enter)"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    layout->addWidget(buttons);

    showProposal();
    showMeaning();
    const int first = mode == ComplexEditor::Mode::Complex ? FormatRows::C : FormatRows::A;
    m_cells[first][0]->setFocus();
}

QLineEdit* ComplexFormatDialog::cell(FormatRows::Row row, FormatRows::Column column) const
{
    return m_cells[row][column];
}

void ComplexFormatDialog::setHeatsAreFinals(bool yes)
{
    (yes ? m_finalsYes : m_finalsNo)->setChecked(true);
}

void ComplexFormatDialog::useEstimated(bool estimated)
{
    (estimated ? m_estimated : m_actual)->setChecked(true);
}

int ComplexFormatDialog::athletes() const
{
    return m_actual->isChecked() ? m_event.athletes : m_event.estimated;
}

void ComplexFormatDialog::showProposal()
{
    m_proposal = m_editor.proposal(m_event, athletes());
    m_proposalText->setText(m_proposal.isEmpty() ? QStringLiteral("Final only") : m_proposal);
    m_proposalText->setToolTip(HeatFormats::inWords(m_proposal));
}

QString ComplexFormatDialog::typedFormat() const
{
    QStringList groups;
    for (const auto& row : m_cells) {
        QStringList numbers;
        for (const QLineEdit* edit : row)
            numbers << edit->text().trimmed();
        if (!numbers.join(QString()).isEmpty())
            groups << numbers.join(QLatin1Char(','));
    }
    return groups.join(QLatin1Char('/'));
}

void ComplexFormatDialog::showMeaning()
{
    const QString format = typedFormat();
    m_meaning->setText((format.isEmpty() ? QString() : format + QStringLiteral(" : ")) +
                       HeatFormats::inWords(format));
}

void ComplexFormatDialog::fillDefaults()
{
    if (m_editor.mode() == ComplexEditor::Mode::SemisWithPlaces &&
        HeatFormats::formatKind(m_proposal) == FormatKind::Complex) {
        m_events.messages().information(QStringLiteral("The rules propose ") + m_proposal +
                                        QStringLiteral(": edit it in Complex mode."));
        return;
    }
    const FormatRows rows = FormatRows::of(m_proposal);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            if (m_cells[r][c]->isEnabled())
                m_cells[r][c]->setText(rows.cells[r][c]);
        }
    }
}

void ComplexFormatDialog::accept()
{
    FormatRows rows;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            rows.cells[r][c] = m_cells[r][c]->text();
    }
    if (m_editor.accept(m_event.eventNo, rows, m_finalsYes->isChecked(), athletes()))
        QDialog::accept();
}

} // namespace draw
