#pragma once

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace sheets {
class PageOutput;
}

namespace base {
class Run;
}

namespace publish {

class WebSite;

// The publish launcher of one heat or final: its results or starters to the web site, to
// the clipboard or to CSV and XML, and "[alt-P] = Auto", which runs the ticked auto tasks.
class PublishLauncherForm : public QDialog {
    Q_OBJECT
public:
    PublishLauncherForm(base::Run& run, qint64 programNo, QWidget* parent = nullptr);
    ~PublishLauncherForm() override;

    QCheckBox* autoBox(const QString& key) const;
    // The ticks are kept in the settings as they change.
    void runAuto();
    void resultsToWeb();
    void startersToWeb();
    void toClipboard(bool starters);
    void toCsv(bool starters, bool xml);
    // The copies of the results list in the copies box, to the printer.
    void printCopies();
    QSpinBox* copiesBox() const { return m_copies; }
    QSpinBox* autoCopiesBox() const { return m_autoCopies; }
    // Where printing goes unless set here: the "Print results" button asks the print
    // dialog, the auto tasks print to the remembered printer.
    void setPrinter(sheets::PageOutput* printer) { m_printer = printer; }
    // Asks for the auto tasks' printer and remembers it.
    void chooseAutoPrinter();
    QLabel* autoPrinterLabel() const { return m_autoPrinter; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    base::Run& m_run;
    qint64 m_programNo;
    QList<std::pair<QString, QCheckBox*>> m_auto;
    QLabel* m_status;
    QSpinBox* m_copies;
    QSpinBox* m_autoCopies;
    QLabel* m_autoPrinter;
    sheets::PageOutput* m_printer = nullptr;
    std::unique_ptr<sheets::PageOutput> m_screenPrinter;
    std::unique_ptr<sheets::PageOutput> m_rememberedPrinter;
    sheets::PageOutput& printer();
    sheets::PageOutput& autoPrinter();
    void showAutoPrinter();
};

void openPublishLauncher(QWidget* parent, base::Run& run, qint64 programNo);

} // namespace publish
