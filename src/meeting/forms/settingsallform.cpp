#include "meeting/forms/settingsallform.h"

#include "base/forms/buttontips.h"

#include "base/run.h"

#include <QGridLayout>
#include <QPushButton>

namespace meeting {

const QList<std::pair<QString, QString>>& SettingsAllForm::panels()
{
    static const QList<std::pair<QString, QString>> list{
        {QStringLiteral("General Settings"), QStringLiteral("Settings: Meeting General   ")},
        {QStringLiteral("Athletes"), QStringLiteral("Settings: Athletes")},
        {QStringLiteral("Winners"), QStringLiteral("Settings: Winners")},
        {QStringLiteral("Scores and Points"), QStringLiteral("Settings: Scores and Points")},
        {QStringLiteral("Capture During"), QStringLiteral("Settings: Capturing During")},
        {QStringLiteral("Competitions"), QStringLiteral("Settings: Competitions")},
        {QStringLiteral("Combining and Describing Items"),
         QStringLiteral("Settings: Describe Items")},
        {QStringLiteral("Determining the Program"), QStringLiteral("Settings: Determine Program")},
        {QStringLiteral("Categories"), QStringLiteral("Settings: Categories")},
    };
    return list;
}

SettingsAllForm::SettingsAllForm(base::Run& run, std::map<QString, Opener> openers, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Settings: All"));
    auto* grid = new QGridLayout(this);
    int at = 0;
    for (const auto& [label, key] : panels()) {
        auto* button = new QPushButton(label, this);
        button->setMinimumSize(220, 48);
        const auto opener = openers.find(key);
        if (opener == openers.end()) {
            button->setEnabled(false);
            button->setToolTip(QStringLiteral("Comes with the screen \"") + key.trimmed() +
                               QStringLiteral("\""));
        } else {
            button->setToolTip(QStringLiteral("Opens the screen \"") + key.trimmed() +
                               QStringLiteral("\""));
            Opener open = opener->second;
            connect(button, &QPushButton::clicked, this, [this, &run, open] { open(this, run); });
        }
        grid->addWidget(button, at / 3, at % 3);
        ++at;
    }
    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setToolTip(base::closeTip());
    connect(done, &QPushButton::clicked, this, &SettingsAllForm::accept);
    grid->addWidget(done, (at + 2) / 3, 2);
}

} // namespace meeting
