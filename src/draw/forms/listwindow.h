#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

namespace draw {

// A read-only list of lines under a heading, in a fixed font so that the columns of
// the checks and listings line up. Shown beside the screen that made it.
class ListWindow : public QDialog {
    Q_OBJECT
public:
    ListWindow(const QString& title, const QString& heading, const QStringList& lines,
               QWidget* parent = nullptr);

    QString heading() const { return m_heading; }
    QStringList lines() const { return m_lines; }

    // Shows a new window that closes itself away when the user closes it.
    static ListWindow* showList(QWidget* parent, const QString& title, const QString& heading,
                                const QStringList& lines);

private:
    QString m_heading;
    QStringList m_lines;
};

} // namespace draw
