#pragma once

#include <QDialog>
#include <QList>

class QCheckBox;

namespace base {
class Run;
}

namespace sheets {

// The sheet options before printing: each box writes its meeting setting at once, so
// that what is ticked is what the next print uses, accepted or not.
class SheetOptionsDialog : public QDialog {
    Q_OBJECT
public:
    SheetOptionsDialog(base::Run& run, const QString& title, QWidget* parent = nullptr);

    QCheckBox* box(const QString& column) const;

private:
    base::Run& m_run;
    QList<QCheckBox*> m_boxes;
};

} // namespace sheets
