#pragma once

#include <QDialog>

class QTreeWidget;

namespace draw {

class Events;

// "Combined Items": the meeting's groups with their items; an item can be taken out of
// its group and a group without items deleted.
class CombinedGroupsForm : public QDialog {
    Q_OBJECT
public:
    CombinedGroupsForm(Events& events, QWidget* parent = nullptr);

    void refresh();
    QTreeWidget* tree() const { return m_tree; }
    // The current item leaves its group.
    void takeItemOut();
    // Deletes the current group (or the group of the current item).
    void deleteGroup();

private:
    Events& m_events;
    QTreeWidget* m_tree;
};

} // namespace draw
