#include "base/messages.h"

namespace base {

void Messages::warning(const QString& body)
{
    m_sink.beep(true);
    m_sink.show(MessageKind::Warning, m_programTitle, body, buttons::ok);
}

void Messages::information(const QString& body)
{
    m_sink.show(MessageKind::Information, m_programTitle, body, buttons::ok);
}

void Messages::note(const QString& body)
{
    m_sink.beep(true);
    m_sink.show(MessageKind::Note, m_programTitle, QStringLiteral(" ! ! ! NOTE ! ! !\r\r") + body,
                buttons::ok);
}

bool Messages::confirm(const QString& body)
{
    return confirmTitled(m_programTitle, body);
}

bool Messages::confirmTitled(const QString& title, const QString& body)
{
    m_sink.beep(false);
    return m_sink.show(MessageKind::Confirm, title, body + QStringLiteral(" ?"), buttons::yesNo)
               .choice == Answer::Yes;
}

bool Messages::confirmTwice(const QString& body)
{
    if (!confirm(body))
        return false;
    m_sink.beep(false);
    const QString second = QStringLiteral(" ! ! ! ARE YOU SURE ! ! !\r\r") + body + " ?";
    return m_sink.show(MessageKind::Confirm, m_programTitle, second, buttons::yesNo).choice ==
           Answer::Yes;
}

ConfirmAllAnswer Messages::confirmWithAll(const QString& body)
{
    m_sink.beep(false);
    const Answer a = m_sink.show(MessageKind::Confirm, m_programTitle, body + QStringLiteral(" ?"),
                                 buttons::yesNoAll);
    switch (a.choice) {
    case Answer::Yes:
        return {true, false};
    case Answer::YesToAll:
        return {true, true};
    case Answer::NoToAll:
        return {false, true};
    default:
        return {false, false};
    }
}

YesNoCancel Messages::yesNoCancel(const QString& body)
{
    m_sink.beep(false);
    const Answer a = m_sink.show(MessageKind::Question, m_programTitle, body, buttons::yesNoCancel);
    if (a.choice == Answer::Yes)
        return YesNoCancel::Yes;
    if (a.choice == Answer::No)
        return YesNoCancel::No;
    return YesNoCancel::Cancel;
}

int Messages::choose(const QString& title, const QString& body, const QStringList& buttonTexts)
{
    m_sink.beep(false);
    const Answer a = m_sink.show(MessageKind::Question, title, body, buttonTexts);
    return a.choice == Answer::Button ? a.button : -1;
}

bool Messages::askText(const QString& prompt, QString* text, bool secret)
{
    const Answer a = m_sink.askText(m_programTitle, prompt, secret ? QString() : *text, secret);
    if (a.choice != Answer::Ok)
        return false;
    *text = a.text;
    return true;
}

bool Messages::askDate(const QString& prompt, QString* date)
{
    const Answer a = m_sink.askDate(m_programTitle, prompt, *date);
    if (a.choice != Answer::Ok)
        return false;
    *date = a.text;
    return true;
}

QString Messages::chooseFile(const QString& title, const QString& filter)
{
    return m_sink.chooseFile(title, filter);
}

void Messages::internalError(qint64 number, const QString& text)
{
    // The recorder may itself fail and report; never recurse into it.
    if (m_recorder && !m_recording) {
        m_recording = true;
        m_recorder(number, text);
        m_recording = false;
    }
    m_sink.beep(true);
    const QString body = QStringLiteral("Internal error %1 in %2:\r\r%3\r\r"
                                        "Please report this error to support.")
                             .arg(number)
                             .arg(m_programTitle, text);
    m_sink.show(MessageKind::Error, m_programTitle, body, buttons::ok);
}

void Messages::developerNote(const QString& text)
{
    if (!m_developerMode)
        return;
    m_sink.show(MessageKind::DeveloperNote, m_programTitle,
                QStringLiteral("Programmers mark\n") + text, buttons::ok);
}

void Messages::progress(const QString& title, const QString& text, int position, int max)
{
    m_sink.progress(title, text, position, max);
}

void Messages::progressDone()
{
    m_sink.progressDone();
}

} // namespace base
