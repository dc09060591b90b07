#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace meeting {
class ItemTypes;
}

namespace draw {

// Picks one item: stroke (group), distance (type), gender and age; returns its code.
class AddItemDialog : public QDialog {
    Q_OBJECT
public:
    AddItemDialog(const meeting::ItemTypes& items, QWidget* parent = nullptr);

    QString itemCode() const;

private:
    static constexpr int kMixedAges = 99;

    bool ageIsValid() const;
    void fillTypes();
    void showCode();

    const meeting::ItemTypes& m_items;
    QComboBox* m_group;
    QComboBox* m_type;
    QComboBox* m_gender;
    QSpinBox* m_age;
    QLabel* m_code;
    QPushButton* m_ok = nullptr;
};

} // namespace draw
