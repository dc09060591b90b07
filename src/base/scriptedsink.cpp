#include "base/scriptedsink.h"

namespace base {

void ScriptedSink::beep(bool errorBeep)
{
    (errorBeep ? m_errorBeeps : m_plainBeeps)++;
}

Answer ScriptedSink::show(MessageKind kind, const QString& title, const QString& text,
                          const QStringList& buttons)
{
    m_shown.append({kind, title, text, buttons, {}});
    if (buttons.size() <= 1)
        return {Answer::Ok};
    if (m_answers.empty()) {
        ++m_unanswered;
        return {buttons == buttons::yesNoCancel ? Answer::Cancel : Answer::No};
    }
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

Answer ScriptedSink::askText(const QString& title, const QString& prompt, const QString& current,
                             bool)
{
    m_shown.append({MessageKind::Question, title, prompt, {}, current});
    if (m_answers.empty()) {
        ++m_unanswered;
        return {Answer::Cancel};
    }
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

QString ScriptedSink::chooseFile(const QString& title, const QString&)
{
    m_shown.append({MessageKind::Question, title, title, {}, {}});
    if (m_files.empty()) {
        ++m_unanswered;
        return {};
    }
    const QString path = m_files.front();
    m_files.pop_front();
    return path;
}

void ScriptedSink::progress(const QString& title, const QString& text, int, int)
{
    const QString line = title.isEmpty() ? text : title + ": " + text;
    if (m_progress.isEmpty() || m_progress.last() != line)
        m_progress << line;
}

QList<ScriptedSink::Shown> ScriptedSink::ofKind(MessageKind kind) const
{
    QList<Shown> result;
    for (const Shown& s : m_shown)
        if (s.kind == kind)
            result << s;
    return result;
}

bool ScriptedSink::saw(const QString& part) const
{
    for (const Shown& s : m_shown)
        if (s.text.contains(part))
            return true;
    return false;
}

void ScriptedSink::clear()
{
    m_shown.clear();
    m_progress.clear();
    m_unanswered = 0;
    m_errorBeeps = m_plainBeeps = 0;
}

} // namespace base
