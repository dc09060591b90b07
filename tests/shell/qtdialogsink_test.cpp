#include "shell/forms/qtdialogsink.h"

#include "base/messages.h"

#include <QApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(QtDialogSinkTest, EveryButtonGetsAKeyLetterOfItsOwn)
{
    EXPECT_EQ(shell::QtDialogSink::withKeyLetters({"Yes", "No"}), QStringList({"&Yes", "&No"}));
    EXPECT_EQ(shell::QtDialogSink::withKeyLetters({"Yes", "No", "Yes to all", "No to all"}),
              QStringList({"&Yes", "&No", "Y&es to all", "N&o to all"}));
    // A letter given by hand is kept and not given again.
    EXPECT_EQ(shell::QtDialogSink::withKeyLetters({"Keep", "&Keep too", "Cancel"}),
              QStringList({"&Keep", "&Keep too", "&Cancel"}));
    EXPECT_EQ(shell::QtDialogSink::withKeyLetters({"Commas", "Semi-colons"}),
              QStringList({"&Commas", "&Semi-colons"}));
}

TEST(QtDialogSinkTest, TheNoButtonOfAQuestionAnswersToAltN)
{
    shell::QtDialogSink sink;
    base::Messages messages(sink);
    QStringList texts;
    QKeySequence noKey;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QAbstractButton* no = nullptr;
        for (QAbstractButton* b : box->buttons()) {
            texts << b->text();
            if (b->text() == QLatin1String("&No"))
                no = b;
        }
        if (!no) {
            box->reject(); // never leave the test hanging on an open box
            return;
        }
        noKey = no->shortcut();
        no->click();
    });
    EXPECT_FALSE(messages.confirm(QStringLiteral("Delete this team")));
    EXPECT_TRUE(texts.contains(QStringLiteral("&Yes"))) << texts.join(',').toStdString();
    EXPECT_EQ(noKey, QKeySequence(Qt::ALT | Qt::Key_N));
}

TEST(QtDialogSinkTest, AQuestionDuringLongWorkIsNotHiddenBehindItsProgress)
{
    shell::QtDialogSink sink;
    base::Messages messages(sink);
    auto progressDialog = [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* p = qobject_cast<QProgressDialog*>(w))
                return p;
        }
        return static_cast<QProgressDialog*>(nullptr);
    };
    messages.progress(QStringLiteral("During"), QStringLiteral("Check for shortcommings in data"));
    ASSERT_NE(progressDialog(), nullptr);
    progressDialog()->show();
    bool progressDuringQuestion = true;
    bool boxAnswered = false;
    // Later than the progress would show itself: the box is still the one modal window.
    QTimer::singleShot(600, [&] {
        progressDuringQuestion = progressDialog() && progressDialog()->isVisible();
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box) {
            boxAnswered = true;
            box->reject();
        } else if (QWidget* other = QApplication::activeModalWidget()) {
            other->close(); // never leave the test hanging
        }
    });
    messages.confirm(QStringLiteral("Continue"));
    EXPECT_TRUE(boxAnswered);
    EXPECT_FALSE(progressDuringQuestion);
    // The work goes on under its progress afterwards.
    ASSERT_NE(progressDialog(), nullptr);
    EXPECT_EQ(progressDialog()->labelText(), QStringLiteral("Check for shortcommings in data"));
    messages.progressDone();
    EXPECT_EQ(progressDialog(), nullptr);
}

} // namespace
