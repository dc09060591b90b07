#include "draw/forms/listwindow.h"

#include "base/forms/buttontips.h"
#include "base/forms/screensize.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace draw {

ListWindow::ListWindow(const QString& title, const QString& heading, const QStringList& lines,
                       QWidget* parent)
    : QDialog(parent), m_heading(heading), m_lines(lines)
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!heading.isEmpty()) {
        auto* label =
            new QLabel(QString(heading).replace(QLatin1Char('\r'), QLatin1Char('\n')), this);
        label->setFont(fixed);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
    }
    auto* text = new QPlainTextEdit(this);
    text->setReadOnly(true);
    text->setFont(fixed);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setPlainText(lines.join(QLatin1Char('\n')));
    layout->addWidget(text, 1);
    auto* buttons = base::closeButtons(this);
    layout->addWidget(buttons);
    text->setFocus();
    base::resizeWithinDesktop(
        this, QSize(QFontMetrics(fixed).horizontalAdvance(QLatin1Char('x')) * 90, 520));
}

ListWindow* ListWindow::showList(QWidget* parent, const QString& title, const QString& heading,
                                 const QStringList& lines)
{
    auto* window = new ListWindow(title, heading, lines, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->QDialog::show();
    return window;
}

} // namespace draw
