#include "base/consolesink.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace base {

QString ConsoleSink::plain(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

Answer ConsoleSink::show(MessageKind kind, const QString&, const QString& text,
                         const QStringList& buttons)
{
    const QByteArray body = plain(text).toUtf8();
    const bool toErr =
        kind == MessageKind::Warning || kind == MessageKind::Error || kind == MessageKind::Note;
    if (buttons.size() <= 1) {
        if (!m_quiet || toErr)
            std::fprintf(toErr ? stderr : stdout, "%s\n", body.constData());
        return {Answer::Ok};
    }
    std::fprintf(stderr, "%s\n", body.constData());
    const bool threeWay = buttons == buttons::yesNoCancel;
    const bool named = buttons != buttons::yesNo && buttons != buttons::yesNoAll && !threeWay;
    auto preset = [&](bool yes) -> Answer {
        if (named) // the last named button is the affirmative one ("Later" / "Yes")
            return yes ? Answer{Answer::Button, int(buttons.size()) - 1}
                       : Answer{Answer::Button, 0};
        return {yes ? Answer::Yes : (threeWay ? Answer::Cancel : Answer::No)};
    };
    if (m_preset != Preset::None) {
        std::fprintf(stderr, "%s\n", m_preset == Preset::Yes ? "(yes)" : "(no)");
        return preset(m_preset == Preset::Yes);
    }
    if (!isatty(STDIN_FILENO)) {
        std::fprintf(stderr, "(no terminal: no)\n");
        return preset(false);
    }
    std::fprintf(stderr, "[y/n] ");
    std::string line;
    std::getline(std::cin, line);
    return preset(!line.empty() && (line[0] == 'y' || line[0] == 'Y'));
}

Answer ConsoleSink::askText(const QString&, const QString& prompt, const QString& current,
                            bool secret)
{
    // An empty line keeps the value shown in brackets.
    const bool showCurrent = !secret && !current.isEmpty();
    std::fprintf(stderr, "%s%s: ", plain(prompt).toUtf8().constData(),
                 showCurrent ? (" [" + current + "]").toUtf8().constData() : "");
    if (!isatty(STDIN_FILENO))
        return {Answer::Cancel};
    std::string line;
    if (!std::getline(std::cin, line))
        return {Answer::Cancel};
    if (line.empty() && showCurrent)
        return {Answer::Ok, -1, current};
    return {Answer::Ok, -1, QString::fromStdString(line)};
}

QString ConsoleSink::chooseFile(const QString& title, const QString&)
{
    Answer a = askText(title, title, QString(), false);
    return a.choice == Answer::Ok ? a.text : QString();
}

} // namespace base
