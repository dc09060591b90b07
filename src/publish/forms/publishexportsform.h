#pragma once

#include "publish/eventexports.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;

namespace base {
class Run;
}

namespace publish {

// The "CSV Publishing Menu": the results or starters of chosen heats and finals, all
// starters in one file, the program and the team totals as CSV files for scoreboards and
// broadcast graphics; the team totals as text and the results archive. Results go into the
// results folder, starters and the program into the starters folder.
class PublishExportsForm : public QDialog {
    Q_OBJECT
public:
    explicit PublishExportsForm(base::Run& run, QWidget* parent = nullptr);
    ~PublishExportsForm() override;

    QLineEdit* resultsFolderEdit() const { return m_resultsFolder; }
    QLineEdit* startersFolderEdit() const { return m_startersFolder; }
    QListWidget* eventList() const { return m_events; }
    QLabel* statusLabel() const { return m_status; }

    // The folders as the screen shows them, kept in the configuration store.
    bool saveSettings();
    // The heats and finals selected in the list, each in a file of its own.
    void selectedEvents(ExportKind kind, bool xml);
    void allStarters();
    void program();
    void teamTotals();
    void teamTotalsText();
    void resultsArchive();

private:
    // `name` in the results or the starters folder; empty after "The folder does not
    // exist: " when the folder is not there.
    QString fileIn(bool resultsFolder, const QString& name);
    void tellWritten(const QStringList& files);

    base::Run& m_run;
    QLineEdit* m_resultsFolder;
    QLineEdit* m_startersFolder;
    QListWidget* m_events;
    QLabel* m_status;
};

void openPublishExports(QWidget* parent, base::Run& run);

} // namespace publish
