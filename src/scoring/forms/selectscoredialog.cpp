#include "scoring/forms/selectscoredialog.h"

#include "base/forms/buttontips.h"
#include "scoring/scorebands.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace scoring {

SelectScoreDialog::SelectScoreDialog(int set, QWidget* parent) : QDialog(parent), m_set(set)
{
    setWindowTitle(QStringLiteral("Select score"));
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(QStringLiteral("&Level of competition"), this);
    layout->addWidget(caption);
    m_bands = new QListWidget(this);
    caption->setBuddy(m_bands);
    // The bands line up in a fixed-width font, as their texts are spaced for it.
    QFont fixed(QStringLiteral("monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    m_bands->setFont(fixed);
    const ScoreRange range = calculatorScoreRange(set);
    int first = -1;
    for (const ScoreBand& band : scoreBands()) {
        auto* item = new QListWidgetItem(band.text, m_bands);
        if (!bandScore(band, set)) {
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
            item->setToolTip(QStringLiteral("This score table admits scores from ") +
                             QString::number(range.lowest) + QStringLiteral(" to ") +
                             QString::number(range.highest));
        } else if (first < 0) {
            first = m_bands->row(item);
        }
    }
    m_bands->setCurrentRow(std::max(0, first));
    m_bands->setMinimumWidth(m_bands->sizeHintForColumn(0) + 40);
    m_bands->setMinimumHeight(m_bands->sizeHintForRow(0) * (m_bands->count() + 1));
    layout->addWidget(m_bands);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setToolTip(tr("Fills in the lowest score of the level"));
    base::explainButtons(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &SelectScoreDialog::pick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_bands, &QListWidget::itemActivated, this, &SelectScoreDialog::pick);
    layout->addWidget(buttons);
    m_bands->setFocus();
}

void SelectScoreDialog::pick()
{
    const int row = m_bands->currentRow();
    if (row < 0 || row >= scoreBands().size())
        return;
    const std::optional<int> score = bandScore(scoreBands()[row], m_set);
    if (!score)
        return;
    m_score = *score;
    accept();
}

} // namespace scoring
