#pragma once

#include "scoring/placepoints.h"

#include <QDialog>

class QComboBox;
class QTableWidget;

namespace base {
class Run;
}

namespace scoring {

// The place points of the meeting, per league: places with their points and relay points,
// "Increase" and "Decrease", and the check before the table is used.
class PlacePointsForm : public QDialog {
    Q_OBJECT
public:
    PlacePointsForm(base::Run& run, QWidget* parent = nullptr);

    void refresh();
    void setLeague(int league);
    void increase();
    void decrease();
    // Checks the table as the reports will; true when it can be used (or the user goes on).
    bool check();
    QTableWidget* table() const { return m_table; }

private:
    void cellEdited(int row, int column);
    int league() const;

    base::Run& m_run;
    PlacePointsTable m_points;
    QList<PlacePointRow> m_rows;
    QComboBox* m_leagues;
    QTableWidget* m_table;
    bool m_filling = false;
};

// Opens the place-points table (from "Settings: Winners" and "After").
void openPlacePoints(QWidget* parent, base::Run& run);

} // namespace scoring
