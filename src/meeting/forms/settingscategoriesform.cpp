#include "meeting/forms/settingscategoriesform.h"

#include "base/forms/buttontips.h"

#include "base/forms/screensize.h"
#include "base/run.h"
#include "meeting/categories.h"
#include "meeting/forms/categorydialog.h"
#include "meeting/forms/choicegroup.h"
#include "meeting/meetingsettings.h"
#include "meeting/meetingupdate.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace meeting {

SettingsCategoriesForm::SettingsCategoriesForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run),
      m_has(new ChoiceGroup(QStringLiteral("Does this Meeting have Categories ?"),
                            ChoiceGroup::noYes(), this)),
      m_recordSetEach(new ChoiceGroup(QStringLiteral("Does each Category have its own Record "
                                                     "set ?"),
                                      ChoiceGroup::noYes(), this)),
      m_table(new QTableWidget(0, 4, this)), m_current(new QComboBox(this)),
      m_recordSetsMissing(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Edit Categories"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_has);
    layout->addWidget(m_recordSetEach);
    layout->addWidget(m_recordSetsMissing);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Category"), QStringLiteral("Description"),
                                        QStringLiteral("Athletes"), QStringLiteral("Events")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table);
    auto* rowButtons = new QHBoxLayout;
    struct RowButton {
        const char* text;
        QString tip;
        void (SettingsCategoriesForm::*slot)();
    };
    for (const RowButton& b :
         {RowButton{"&Add", tr("Adds a category to the meeting"),
                    &SettingsCategoriesForm::addCategory},
          RowButton{"&Edit", tr("Changes the selected category"),
                    &SettingsCategoriesForm::editCategory},
          RowButton{"&Delete",
                    tr("Deletes the selected category when nothing uses it, after asking"),
                    &SettingsCategoriesForm::deleteCategory}}) {
        const auto slot = b.slot;
        auto* button = new QPushButton(QString::fromLatin1(b.text), this);
        button->setToolTip(b.tip);
        connect(button, &QPushButton::clicked, this, slot);
        rowButtons->addWidget(button);
    }
    rowButtons->addStretch();
    layout->addLayout(rowButtons);
    auto* currentRow = new QHBoxLayout;
    currentRow->addWidget(
        new QLabel(QStringLiteral("Select the Category for which you want to _ADD_ Items"), this));
    currentRow->addWidget(m_current, 1);
    layout->addLayout(currentRow);
    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setToolTip(base::closeTip());
    connect(done, &QPushButton::clicked, this, &SettingsCategoriesForm::accept);
    layout->addWidget(done, 0, Qt::AlignRight);
    connect(m_has, &ChoiceGroup::changed, this, &SettingsCategoriesForm::switchCategories);
    connect(m_recordSetEach, &ChoiceGroup::changed, this,
            &SettingsCategoriesForm::chooseRecordSetEach);
    connect(m_current, &QComboBox::activated, this, &SettingsCategoriesForm::chooseCurrent);
    base::resizeWithinDesktop(this, QSize(560, 520));
    refresh();
}

void SettingsCategoriesForm::refresh()
{
    const MeetingSettings& s = m_run.meeting();
    m_has->setValue(s.hasCategories() ? QStringLiteral("1") : QStringLiteral("0"));
    m_recordSetEach->setValue(s.categoriesRecordSetEach() ? QStringLiteral("1")
                                                          : QStringLiteral("0"));
    m_recordSetEach->setVisible(s.hasCategories());
    Categories categories(*m_run.database(), m_run.currentMeetingNo());
    const QList<Category> list = categories.list();
    m_table->setRowCount(int(list.size()));
    for (int row = 0; row < list.size(); ++row) {
        const Category& c = list[row];
        const QStringList cells{c.code, c.description, QString::number(c.athletes),
                                QString::number(c.events)};
        for (int col = 0; col < cells.size(); ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            item->setData(Qt::UserRole, c.key);
            m_table->setItem(row, col, item);
        }
    }
    m_current->clear();
    for (const Category& c : categories.list(true)) {
        m_current->addItem(c.description + QStringLiteral(" (") + c.code + QStringLiteral(")"),
                           c.code);
        if (c.code == s.currentAddCategory())
            m_current->setCurrentIndex(m_current->count() - 1);
    }
    const int missing = s.categoriesRecordSetEach() ? categories.withoutRecordSet() : 0;
    m_recordSetsMissing->setText(missing > 0 ? QStringLiteral("Recsets Not Selected yet: ") +
                                                   QString::number(missing)
                                             : QString());
}

int SettingsCategoriesForm::selectedKey() const
{
    const QTableWidgetItem* item = m_table->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

void SettingsCategoriesForm::addCategory()
{
    Categories categories(*m_run.database(), m_run.currentMeetingNo());
    base::Messages& messages = m_run.messages();
    CategoryDialog dialog(
        true, QString(), QString(),
        [&](const QString& code, const QString& description) {
            const QString refusal = categories.check(code, description);
            if (!refusal.isEmpty())
                messages.warning(refusal);
            return refusal;
        },
        this);
    if (dialog.exec() == QDialog::Accepted)
        categories.add(dialog.code(), dialog.description());
    refresh();
}

void SettingsCategoriesForm::editCategory()
{
    const int key = selectedKey();
    if (key == 0)
        return;
    Categories categories(*m_run.database(), m_run.currentMeetingNo());
    Category current;
    for (const Category& c : categories.list())
        if (c.key == key)
            current = c;
    base::Messages& messages = m_run.messages();
    CategoryDialog dialog(
        false, current.code, current.description,
        [&](const QString& code, const QString& description) {
            const QString refusal = categories.check(code, description, key);
            if (!refusal.isEmpty())
                messages.warning(refusal);
            return refusal;
        },
        this);
    if (dialog.exec() == QDialog::Accepted)
        categories.edit(key, dialog.code(), dialog.description());
    refresh();
}

void SettingsCategoriesForm::deleteCategory()
{
    const int key = selectedKey();
    if (key == 0)
        return;
    Categories(*m_run.database(), m_run.currentMeetingNo()).remove(key);
    refresh();
}

void SettingsCategoriesForm::switchCategories()
{
    if (m_has->value() == QLatin1String("1")) {
        QString assign;
        const QList<Category> list = Categories(*m_run.database(), m_run.currentMeetingNo()).list();
        if (list.size() == 1) {
            assign = list[0].code;
        } else if (list.size() > 1) {
            QStringList codes;
            for (const Category& c : list)
                codes.append(c.code);
            if (!m_run.messages().askText(QStringLiteral("The Category for Athletes and Items "
                                                         "with no Category (") +
                                              codes.join(QStringLiteral(", ")) +
                                              QStringLiteral(")"),
                                          &assign)) {
                refresh();
                return;
            }
        }
        switchCategoriesOn(m_run, m_recordSetEach->value() == QLatin1String("1"), assign);
    } else {
        switchCategoriesOff(m_run);
    }
    refresh();
}

void SettingsCategoriesForm::chooseRecordSetEach()
{
    updateMeeting(m_run, {{QStringLiteral("CATEGORIES_RECSET_EACH"), m_recordSetEach->value()}});
    refresh();
}

void SettingsCategoriesForm::chooseCurrent()
{
    setCurrentAddCategory(m_run, m_current->currentData().toString());
    refresh();
}

} // namespace meeting
