#pragma once

#include "base/messagesink.h"

#include <QList>

#include <deque>

namespace base {

// A sink for tests: records every message and answers questions from a queue. A question
// with no queued answer is recorded as unanswered and gets No (or Cancel), so a test that
// forgot to script an answer sees it in `unanswered`.
class ScriptedSink : public MessageSink {
public:
    struct Shown {
        MessageKind kind;
        QString title;
        QString text;
        QStringList buttons;
        QString offered; // the text a question for a text was opened with
    };

    void answer(Answer a) { m_answers.push_back(a); }
    void answerYes() { answer({Answer::Yes}); }
    void answerNo() { answer({Answer::No}); }
    void answerCancel() { answer({Answer::Cancel}); }
    void answerButton(int index) { answer({Answer::Button, index}); }
    void answerText(const QString& text) { answer({Answer::Ok, -1, text}); }
    void answerFile(const QString& path) { m_files.push_back(path); }

    void beep(bool errorBeep) override;
    Answer show(MessageKind kind, const QString& title, const QString& text,
                const QStringList& buttons) override;
    Answer askText(const QString& title, const QString& prompt, const QString& current,
                   bool secret) override;
    QString chooseFile(const QString& title, const QString& filter) override;
    void progress(const QString& title, const QString& text, int position, int max) override;
    void progressDone() override {}

    const QList<Shown>& shown() const { return m_shown; }
    QList<Shown> ofKind(MessageKind kind) const;
    // True when some shown text contains `part`.
    bool saw(const QString& part) const;
    int count(MessageKind kind) const { return int(ofKind(kind).size()); }
    int unanswered() const { return m_unanswered; }
    int pendingAnswers() const { return int(m_answers.size()); }
    int errorBeeps() const { return m_errorBeeps; }
    int plainBeeps() const { return m_plainBeeps; }
    const QStringList& progressTexts() const { return m_progress; }
    void clear();

private:
    std::deque<Answer> m_answers;
    std::deque<QString> m_files;
    QList<Shown> m_shown;
    QStringList m_progress;
    int m_unanswered = 0;
    int m_errorBeeps = 0;
    int m_plainBeeps = 0;
};

} // namespace base
