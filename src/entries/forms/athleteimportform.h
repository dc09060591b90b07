#pragma once

#include "entries/athleteimport.h"
#include "entries/csvheadersuggestion.h"

#include <QDialog>
#include <QMap>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace base {
class Run;
}

namespace entries {

// The import of competitors from a CSV file: the column setup (kept between runs), the
// file's lines with the chosen columns marked, and the import with its report.
class AthleteImportForm : public QDialog {
    Q_OBJECT
public:
    AthleteImportForm(base::Run& run, QWidget* parent = nullptr);

    // Shows the file's lines; false when it cannot be read.
    bool showFile(const QString& path);
    // Runs the import of the shown file with the setup on the screen.
    AthleteImport::Outcome importFile();
    // Decides after the report of findings; the report dialog unless replaced.
    void setReportQuestion(AthleteImport::ReportQuestion question)
    {
        m_reportQuestion = std::move(question);
    }
    QTableWidget* grid() const { return m_grid; }
    QString status() const;
    // The columns the header line suggests, shown beside the setup until the user takes
    // them with "Use these columns".
    QString suggestion() const;
    void useHeaderColumns();
    QSpinBox* columnBox(const QString& field) const { return m_columns.value(field); }

private:
    void chooseFile();
    void suggestFromHeaderLine();
    void showWipeNote(int wipeIndex);
    bool showReport(const AthleteImport& importer);
    void fillSetup(const CsvSetup& setup);
    CsvSetup readSetup() const;
    void markColumns();

    base::Run& m_run;
    AthleteImport::ReportQuestion m_reportQuestion;
    QString m_path;
    QMap<QString, QSpinBox*> m_columns;
    QComboBox* m_ageSource;
    QComboBox* m_wipe;
    QCheckBox* m_header;
    QCheckBox* m_numbers;
    QCheckBox* m_items;
    QCheckBox* m_bests;
    QCheckBox* m_crosses;
    QCheckBox* m_addTeams;
    QCheckBox* m_oneTeam;
    QLineEdit* m_oneTeamAbbreviation;
    QLabel* m_wipeNote;
    QLabel* m_file;
    QLabel* m_suggestion;
    QPushButton* m_useSuggestion;
    QStringList m_headerLine;
    HeaderSuggestion m_suggested;
    QLabel* m_status;
    QTableWidget* m_grid;
};

// The opener used by the swimmers screen and the main screen.
void openAthleteImport(QWidget* parent, base::Run& run);

} // namespace entries
