#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace draw {

// "Combine Items": ticks the events that run together as one race and names the group.
// It hands the choice back; OK needs at least two ticked items.
class CombineItemsDialog : public QDialog {
    Q_OBJECT
public:
    struct Offered {
        qint64 eventNo = 0;
        QString title;
    };
    CombineItemsDialog(const QList<Offered>& offered, const QString& suggestedName,
                       QWidget* parent = nullptr);

    void setTicked(qint64 eventNo, bool ticked);
    QList<qint64> ticked() const;
    QString name() const;
    QListWidget* list() const { return m_list; }

private:
    void updateOk();

    QListWidget* m_list;
    QLineEdit* m_name;
    QLabel* m_hint;
    QPushButton* m_ok;
};

} // namespace draw
