#pragma once

#include "sheets/distribution.h"

#include <QDialog>

class QComboBox;
class QListWidget;

namespace base {
class Run;
}

namespace sheets {

// The distribution lines of each sheet kind: add, edit, delete, switch on and off (Space)
// and load the system's sample lines.
class DistributionForm : public QDialog {
    Q_OBJECT
public:
    explicit DistributionForm(base::Run& run, QWidget* parent = nullptr);

    QComboBox* kinds() const { return m_kinds; }
    QListWidget* list() const { return m_list; }

    void addLine();
    void editLine();
    void deleteLine();
    void toggleLine();
    void loadDefaults();

private:
    QString currentKind() const;
    qint64 currentLine() const;
    void reload(qint64 select = 0);

    base::Run& m_run;
    Distribution m_distribution;
    QComboBox* m_kinds = nullptr;
    QListWidget* m_list = nullptr;
};

void openDistribution(QWidget* parent, base::Run& run);

} // namespace sheets
