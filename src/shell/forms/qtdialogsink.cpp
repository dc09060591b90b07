#include "shell/forms/qtdialogsink.h"

#include "base/forms/buttontips.h"

#include "base/consolesink.h"

#include <QApplication>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

#include <cstdio>

namespace shell {

QtDialogSink::QtDialogSink() = default;
QtDialogSink::~QtDialogSink() = default;

void QtDialogSink::beep(bool)
{
    QApplication::beep();
}

void QtDialogSink::setUnattended()
{
    m_unattended = true;
    m_progress.reset();
}

base::Answer QtDialogSink::show(base::MessageKind kind, const QString& title, const QString& text,
                                const QStringList& buttons)
{
    if (m_unattended) {
        std::fprintf(stderr, "%s\n", qPrintable(base::ConsoleSink::plain(text)));
        return m_nobody.show(kind, title, text, buttons);
    }
    QMessageBox box;
    box.setWindowTitle(title);
    box.setText(base::ConsoleSink::plain(text));
    switch (kind) {
    case base::MessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case base::MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case base::MessageKind::Confirm:
    case base::MessageKind::Question:
        box.setIcon(QMessageBox::Question);
        break;
    default:
        box.setIcon(QMessageBox::Information);
    }
    QList<QAbstractButton*> pressed;
    const QStringList shown = withKeyLetters(buttons);
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const QString& b = buttons[i];
        QMessageBox::ButtonRole role = QMessageBox::AcceptRole;
        if (b == QLatin1String("No") || b == QLatin1String("No to all"))
            role = QMessageBox::NoRole;
        else if (b == QLatin1String("Cancel"))
            role = QMessageBox::RejectRole;
        else if (b == QLatin1String("Yes") || b == QLatin1String("Yes to all"))
            role = QMessageBox::YesRole;
        pressed << box.addButton(shown[i], role);
    }
    if (buttons.contains(QStringLiteral("Cancel")))
        box.setEscapeButton(pressed[buttons.indexOf(QStringLiteral("Cancel"))]);
    else if (buttons.contains(QStringLiteral("No")))
        box.setEscapeButton(pressed[buttons.indexOf(QStringLiteral("No"))]);
    // A box asked in the middle of long work: its progress (which shows itself after a
    // moment and, being modal too, would take the keyboard and the mouse from the box) goes
    // while the box is open and comes back afterwards.
    struct Progress {
        QString title;
        QString text;
        int position;
        int max;
    };
    std::optional<Progress> paused;
    if (m_progress) {
        paused = Progress{m_progress->windowTitle(), m_progress->labelText(),
                          std::max(0, m_progress->value()), m_progress->maximum()};
        m_progress.reset();
    }
    box.exec();
    if (paused)
        progress(paused->title, paused->text, paused->position, paused->max);
    const int index = int(pressed.indexOf(box.clickedButton()));
    if (buttons.size() <= 1)
        return {base::Answer::Ok};
    if (buttons == base::buttons::yesNo || buttons == base::buttons::yesNoAll ||
        buttons == base::buttons::yesNoCancel) {
        static const base::Answer::Choice choices[] = {
            base::Answer::Yes, base::Answer::No, base::Answer::YesToAll, base::Answer::NoToAll};
        if (buttons == base::buttons::yesNoCancel && index == 2)
            return {base::Answer::Cancel};
        if (index < 0)
            return {buttons == base::buttons::yesNoCancel ? base::Answer::Cancel
                                                          : base::Answer::No};
        return {choices[index]};
    }
    return {base::Answer::Button, index};
}

QStringList QtDialogSink::withKeyLetters(const QStringList& texts)
{
    QString taken;
    QStringList result;
    for (const QString& text : texts) {
        if (text.contains(QLatin1Char('&'))) {
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            if (at + 1 < text.size())
                taken += text[at + 1].toLower();
            result << text;
            continue;
        }
        QString marked = text;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i].toLower();
            if (c.isLetterOrNumber() && !taken.contains(c)) {
                taken += c;
                marked.insert(i, QLatin1Char('&'));
                break;
            }
        }
        result << marked;
    }
    return result;
}

base::Answer QtDialogSink::askText(const QString& title, const QString& prompt,
                                   const QString& current, bool secret)
{
    if (m_unattended)
        return m_nobody.askText(title, prompt, current, secret);
    bool ok = false;
    const QString text =
        QInputDialog::getText(nullptr, title, base::ConsoleSink::plain(prompt),
                              secret ? QLineEdit::Password : QLineEdit::Normal, current, &ok);
    return ok ? base::Answer{base::Answer::Ok, -1, text} : base::Answer{base::Answer::Cancel};
}

base::Answer QtDialogSink::askDate(const QString& title, const QString& prompt,
                                   const QString& current)
{
    if (m_unattended)
        return m_nobody.askDate(title, prompt, current);
    static const QString format = QStringLiteral("yyyy/MM/dd");
    QDialog dialog;
    dialog.setWindowTitle(title);
    auto* edit = new QDateEdit(&dialog);
    edit->setDisplayFormat(format);
    edit->setCalendarPopup(true);
    const QDate shown = QDate::fromString(current, format);
    edit->setDate(shown.isValid() ? shown : QDate::currentDate());
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    base::explainButtons(box);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(base::ConsoleSink::plain(prompt), &dialog));
    layout->addWidget(edit);
    layout->addWidget(box);
    edit->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return {base::Answer::Cancel};
    return {base::Answer::Ok, -1, edit->date().toString(format)};
}

QString QtDialogSink::chooseFile(const QString& title, const QString& filter)
{
    if (m_unattended)
        return QString();
    return QFileDialog::getOpenFileName(nullptr, title, QString(), filter);
}

void QtDialogSink::progress(const QString& title, const QString& text, int position, int max)
{
    if (m_unattended)
        return;
    if (!m_progress) {
        m_progress = std::make_unique<QProgressDialog>();
        m_progress->setCancelButton(nullptr);
        m_progress->setMinimumDuration(300);
        m_progress->setWindowModality(Qt::ApplicationModal);
    }
    if (!title.isEmpty())
        m_progress->setWindowTitle(title);
    m_progress->setLabelText(base::ConsoleSink::plain(text));
    m_progress->setMaximum(max);
    m_progress->setValue(position);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtDialogSink::progressDone()
{
    m_progress.reset();
}

} // namespace shell
