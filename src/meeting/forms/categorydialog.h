#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;

namespace meeting {

// "Add an Category" / "Edit the Category": a code and a description. The accept runs the
// given check, which returns the refusal to show (empty when accepted).
class CategoryDialog : public QDialog {
    Q_OBJECT
public:
    using Check = std::function<QString(const QString& code, const QString& description)>;
    CategoryDialog(bool adding, const QString& code, const QString& description, Check check,
                   QWidget* parent = nullptr);

    QString code() const;
    QString description() const;
    QLineEdit* codeEdit() const { return m_code; }
    QLineEdit* descriptionEdit() const { return m_description; }
    // The refusal of the last accept; empty when it passed.
    const QString& refusal() const { return m_refusal; }

    void accept() override;

private:
    Check m_check;
    QLineEdit* m_code;
    QLineEdit* m_description;
    QString m_refusal;
};

} // namespace meeting
