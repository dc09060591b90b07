#pragma once

#include "base/messagesink.h"

#include <functional>

namespace base {

enum class YesNoCancel { Yes, No, Cancel };

struct ConfirmAllAnswer {
    bool yes = false;
    bool forAll = false;
};

// The message conventions every operation uses. It composes the exact texts (the note
// banner, the " ?" of a question, the second "ARE YOU SURE"), sounds the beeps and hands
// the box to the sink. Internal errors are also handed to the recorder while a database
// is connected.
class Messages {
public:
    explicit Messages(MessageSink& sink) : m_sink(sink) {}

    void setProgramTitle(const QString& title) { m_programTitle = title; }
    const QString& programTitle() const { return m_programTitle; }
    void setDeveloperMode(bool on) { m_developerMode = on; }
    bool developerMode() const { return m_developerMode; }

    using Recorder = std::function<void(qint64 number, const QString& text)>;
    void setInternalErrorRecorder(Recorder recorder) { m_recorder = std::move(recorder); }

    void warning(const QString& body);
    void information(const QString& body);
    void note(const QString& body);
    bool confirm(const QString& body);
    // A question in a box of its own title (the program's title otherwise).
    bool confirmTitled(const QString& title, const QString& body);
    bool confirmTwice(const QString& body);
    ConfirmAllAnswer confirmWithAll(const QString& body);
    YesNoCancel yesNoCancel(const QString& body);
    // A question with buttons of its own (e.g. "Later" / "Yes"); returns the index
    // pressed, -1 when the box was closed.
    int choose(const QString& title, const QString& body, const QStringList& buttonTexts);
    // Asks a line of text, starting from `*text`; false when cancelled.
    bool askText(const QString& prompt, QString* text, bool secret = false);
    // Asks a date "yyyy/MM/dd" in the date editor, starting from `*date`; false when
    // cancelled.
    bool askDate(const QString& prompt, QString* date);
    QString chooseFile(const QString& title, const QString& filter);

    // A state the program does not expect: recorded, shown, and the caller goes on.
    void internalError(qint64 number, const QString& text);
    void developerNote(const QString& text);

    void progress(const QString& title, const QString& text, int position = 0, int max = 0);
    void progressDone();

    MessageSink& sink() { return m_sink; }

private:
    MessageSink& m_sink;
    QString m_programTitle;
    bool m_developerMode = false;
    Recorder m_recorder;
    bool m_recording = false;
};

} // namespace base
