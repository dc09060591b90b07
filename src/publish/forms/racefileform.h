#pragma once

#include "publish/liffile.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace base {
class Run;
}

namespace publish {

// A race file of the timing system: read it, see its places with the unknown numbers and
// other problems marked, match it to a heat and, once the official confirms, write its
// times into the heat as typed results. The lines left unticked are passed over.
class RaceFileForm : public QDialog {
    Q_OBJECT
public:
    // `programNo` is the heat offered when the file names none of the program.
    RaceFileForm(base::Run& run, qint64 programNo, QWidget* parent = nullptr);
    ~RaceFileForm() override;

    QLineEdit* fileEdit() const { return m_file; }
    QLabel* headerLabel() const { return m_header; }
    QTableWidget* lineTable() const { return m_lines; }
    QComboBox* heatBox() const { return m_heat; }
    QLabel* statusLabel() const { return m_status; }

    // Reads the file named in the file box; false with the reason shown when it is refused.
    bool readFile();
    // Asks, then stores the race and writes the ticked lines into the chosen heat.
    bool writeIntoHeat();
    qint64 matchedProgramNo() const;

private:
    void chooseFile();
    void showLines();

    base::Run& m_run;
    qint64 m_offeredProgramNo;
    LifRace m_race;
    bool m_read = false;
    QLineEdit* m_file;
    QLabel* m_header;
    QTableWidget* m_lines;
    QComboBox* m_heat;
    QPushButton* m_write;
    QLabel* m_status;
};

void openRaceFile(QWidget* parent, base::Run& run, qint64 programNo);

} // namespace publish
