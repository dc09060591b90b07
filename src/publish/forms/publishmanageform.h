#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace base {
class Run;
}

namespace publish {

class WebSite;

// Managing the web site: the web root, the "Current Publishing Day", what the master index
// links to, the refresh of the indexes; creating MeetingIndex.html, the program, the start
// lists and team totals; the results not published yet and the orphans both ways.
class PublishManageForm : public QDialog {
    Q_OBJECT
public:
    explicit PublishManageForm(base::Run& run, QWidget* parent = nullptr);
    ~PublishManageForm() override;

    QLineEdit* rootEdit() const { return m_root; }
    QSpinBox* dayBox() const { return m_day; }
    QListWidget* waitingList() const { return m_waiting; }
    // Ticked, the list holds the published results and the button re-publishes them.
    QCheckBox* showPrintedBox() const { return m_showPrinted; }
    QPushButton* printButton() const { return m_printButton; }
    QListWidget* orphanList() const { return m_orphans; }

    // The settings as the screen shows them, kept in the configuration store.
    bool saveSettings();
    void refresh();
    void createMeetingIndex();
    void publishProgramOfDay();
    void publishAllStarters();
    void publishSelectedStarters();
    void publishTotals();
    // Every result, the pages the meeting index links, and the meeting index.
    void publishWholeMeeting();
    void printSelected();
    void deleteSelectedOrphans();

private:
    // "Done creating web-file " with the file and where to copy the site from.
    void tellDone(WebSite& site, const QString& file);
    // "Day<d>/" + name for the day on the screen.
    QString dayFile(const char* name) const;

    base::Run& m_run;
    QLineEdit* m_root;
    QSpinBox* m_day;
    QCheckBox* m_program;
    QCheckBox* m_starters;
    QCheckBox* m_totals;
    QCheckBox* m_refresh;
    QLabel* m_waitingLabel;
    QCheckBox* m_showPrinted;
    QListWidget* m_waiting;
    QPushButton* m_printButton;
    QListWidget* m_orphans;
};

void openPublishManage(QWidget* parent, base::Run& run);

} // namespace publish
