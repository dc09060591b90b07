#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QTableWidget;

namespace base {
class Run;
}

namespace meeting {

class ChoiceGroup;

// "Edit Categories" (menu "Settings: Categories"): switches the meeting's categories on or off,
// edits the list of categories and picks the one new items are added to.
class SettingsCategoriesForm : public QDialog {
    Q_OBJECT
public:
    SettingsCategoriesForm(base::Run& run, QWidget* parent = nullptr);

    ChoiceGroup* hasCategories() const { return m_has; }
    ChoiceGroup* recordSetEach() const { return m_recordSetEach; }
    QTableWidget* table() const { return m_table; }
    QComboBox* currentChoice() const { return m_current; }

    void addCategory();
    void editCategory();
    void deleteCategory();
    void switchCategories();
    void chooseRecordSetEach();
    void chooseCurrent();

private:
    void refresh();
    int selectedKey() const;

    base::Run& m_run;
    ChoiceGroup* m_has;
    ChoiceGroup* m_recordSetEach;
    QTableWidget* m_table;
    QComboBox* m_current;
    QLabel* m_recordSetsMissing;
};

} // namespace meeting
