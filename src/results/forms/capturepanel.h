#pragma once

#include "draw/heatmembers.h"
#include "results/captureathletes.h"
#include "results/captureprogram.h"

#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace base {
class Run;
}

namespace results {

// The athletes of one program row with every capture action on them; both capture
// screens show one. The screen tells it which row is selected and hears `changed` when
// a row's tags may have changed.
class CapturePanel : public QWidget {
    Q_OBJECT
public:
    // `complexView`: the capture by item, where a calculated final offers third digits.
    CapturePanel(base::Run& run, bool complexView, QWidget* parent = nullptr);

    void setProgramRow(const std::optional<CaptureProgramRow>& row);
    const std::optional<CaptureProgramRow>& programRow() const { return m_row; }
    base::Run& run() const { return m_run; }
    // Reads the row and its athletes again, keeping the selected athlete.
    void refresh();
    QTableWidget* table() const { return m_table; }
    QComboBox* orderBox() const { return m_order; }
    draw::MemberOrder order() const;
    const QList<CaptureAthleteRow>& athletes() const { return m_athletes; }
    // The selected athlete; key 0 when none.
    CaptureAthleteRow currentAthlete() const;
    void selectAthlete(qint64 athleteNo);

    // The keys F3 to F12 of both screens.
    bool handleKey(int key);
    // Those keys reach the panel from `widget` too, before the widget's own use of them (a
    // combo box opens on F4).
    void takeKeysFrom(QWidget* widget);

    // Opens the publish launcher of a program row; the area above capture hands it in.
    using Publisher = std::function<void(QWidget* parent, base::Run& run, qint64 programNo)>;
    // Shows the "&Publish..." button, which opens the launcher for the selected row.
    void setPublisher(Publisher publisher);
    QPushButton* publishButton() const { return m_publish; }

    void editPerformance();
    void runthrough();
    void calculatePlaces();
    void editWind();
    void performanceHistory();
    void disqualify();
    void clearStatus();
    void editThirdDigit();
    void printResults(bool preview);
    void clearResultsPrinted();
    void setQueried(bool queried);
    void setNoEntries(bool noEntries);
    void setTiming(int elecHand);
    void deleteParticipation();
    void deleteAthlete();
    // Where the last printed PDF went.
    const QString& lastPrint() const { return m_lastPrint; }

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The edit dialog for one athlete; false when cancelled or refused.
    bool editAthlete(const CaptureAthleteRow& athlete);
    bool mayEditRow();
    void fill();
    void afterChange(qint64 keepAthleteNo);

    base::Run& m_run;
    bool m_complex;
    std::optional<CaptureProgramRow> m_row;
    QList<CaptureAthleteRow> m_athletes;
    QString m_lastPrint;
    QLabel* m_caption;
    QPushButton* m_publish = nullptr;
    Publisher m_publisher;
    QComboBox* m_order;
    QTableWidget* m_table;
};

} // namespace results
