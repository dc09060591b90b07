#include "draw/forms/beforeform.h"

#include "base/forms/buttontips.h"

#include "base/appglobals.h"
#include "base/forms/screensize.h"
#include "base/run.h"
#include "draw/forms/drawathletesform.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace draw {

BeforeForm::BeforeForm(base::Run& run, const QList<Option>& options, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(run.globals().programTitle() + QStringLiteral(" :  Before"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Before the meeting: draw the athletes into "
                                                "their heats and lanes, then print the sheets."),
                                 this));
    for (const Option& option : options) {
        auto* b = new QPushButton(option.text, this);
        b->setAutoDefault(false);
        b->setMinimumHeight(30);
        b->setEnabled(bool(option.open));
        b->setToolTip(option.open ? option.tip : QStringLiteral("Not available yet"));
        const auto open = option.open;
        connect(b, &QPushButton::clicked, this, [this, open, &run] {
            if (open)
                open(this, run);
        });
        layout->addWidget(b);
        m_buttons << b;
    }
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setAutoDefault(false);
    close->setToolTip(base::closeTip());
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    // Close a little apart from the options, and the dialog as tall as its buttons: a fixed
    // height left a hole between the last option and Close.
    layout->addSpacing(10);
    layout->addWidget(close);
    layout->addStretch(1);
    base::resizeWithinDesktop(this, QSize(420, sizeHint().height()));
}

QPushButton* BeforeForm::button(const QString& text) const
{
    for (QPushButton* b : m_buttons) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

void openBefore(QWidget* parent, base::Run& run, const QList<BeforeForm::Option>& more)
{
    if (run.currentMeetingNo() <= 0 || !run.database()) {
        run.messages().warning(QStringLiteral("There is no current meeting selected!"));
        return;
    }
    QList<BeforeForm::Option> options{
        {QStringLiteral("&Draw Athletes"), &openDrawAthletes,
         QObject::tr("Opens the draw of the athletes into their heats and lanes")}};
    options << more;
    BeforeForm form(run, options, parent);
    form.exec();
}

} // namespace draw
