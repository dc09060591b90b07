#include "importfixture.h"
#include "screenpicture.h"

#include "base/forms/pdfoutput.h"
#include "entries/forms/athleteimportform.h"
#include "entries/forms/importreportdialog.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

namespace {

QPushButton* button(QWidget& screen, const QString& text)
{
    for (QPushButton* b : screen.findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

QString fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST_F(ImportTest, theHeaderLineSuggestsColumnsThatTheUserTakesAndCanChange)
{
    entries::AthleteImportForm form(run());
    form.resize(1240, 820);
    form.show();
    const QString path =
        writeFile(QStringLiteral("club.csv"), "Surname,First name,Sex,Age,Club,Item,Best\n"
                                              "NEL,Jan,M,13,OAK,50m Freestyle,0:31.25\n"
                                              "BOTHA,Kim,M,13,OAK,100m Freestyle,\n");
    ASSERT_TRUE(form.showFile(path));
    EXPECT_EQ(form.suggestion(), "The header line suggests: Surname 1, Firstname 2, Gender 3, "
                                 "Age 4, Team 5, First Item 6, Last Item 6");
    // Only a suggestion: the setup is as it was until the user takes it.
    EXPECT_EQ(form.columnBox("Surname")->value(), 0);
    QPushButton* use = button(form, "&Use these columns");
    ASSERT_NE(use, nullptr);
    ASSERT_TRUE(use->isVisible());
    keepPicture(form, QStringLiteral("import-suggestion"));
    use->click();
    EXPECT_FALSE(use->isVisible());
    for (const auto& [field, column] : {std::pair<const char*, int>{"Surname", 1},
                                        {"Firstname", 2},
                                        {"Gender", 3},
                                        {"Age", 4},
                                        {"Team", 5},
                                        {"First Item", 6},
                                        {"Last Item", 6}}) {
        EXPECT_EQ(form.columnBox(field)->value(), column) << field;
        EXPECT_FALSE(form.columnBox(field)->styleSheet().isEmpty()) << field << " not marked";
    }
    EXPECT_TRUE(form.columnBox("Number")->styleSheet().isEmpty());
    EXPECT_EQ(form.grid()->horizontalHeaderItem(4)->text(), "5\nTeam");
    EXPECT_TRUE(form.suggestion().contains("Check them before importing."));
    keepPicture(form, QStringLiteral("import-suggestion-taken"));

    // The user leaves the first names out; the box is theirs again, and the header's
    // column for them is offered once more.
    form.columnBox("Firstname")->setValue(0);
    EXPECT_TRUE(form.columnBox("Firstname")->styleSheet().isEmpty());
    EXPECT_TRUE(use->isVisible());
    m_sink.answerNo(); // not now: the best performances for the meeting
    EXPECT_EQ(form.importFile(), entries::AthleteImport::Outcome::Imported);
    EXPECT_EQ(value(QStringLiteral("select list(SURNAME || '/' || FIRSTNAME, ',') from (select "
                                   "SURNAME, FIRSTNAME from ATHLETE order by SURNAME)")),
              "BOTHA/,NEL/");
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 2);
    EXPECT_EQ(value(QStringLiteral("select BESTPERFBEFORE from PARTICIPATE where EVENTNO = ") +
                    db::sqlInt(m_free50)),
              "0:31.25");
    // Loading the file again: the setup is kept; once the first names are back in their
    // column it agrees with the header.
    ASSERT_TRUE(form.showFile(path));
    EXPECT_EQ(form.columnBox("Firstname")->value(), 0);
    EXPECT_TRUE(use->isVisible());
    form.columnBox("Firstname")->setValue(2);
    EXPECT_FALSE(use->isVisible());
    EXPECT_TRUE(form.suggestion().startsWith("The columns agree with the header line"))
        << form.suggestion().toStdString();
}

TEST_F(ImportTest, theReportShowsEachLineOnceAndIsSavedCopiedAndPrintedWhole)
{
    auto imp = importer();
    const QString path =
        writeFile(QStringLiteral("club.csv"), withHeader("NEL,Jan,M,13,OAK,,50m Freestyle,\n"
                                                         ",Lee,X,13,OAK,,50m Freestyle,\n"
                                                         "BOTHA,Kim,M,13,OAK,,Butterfly,\n"));
    ASSERT_TRUE(imp->load(path));
    ASSERT_TRUE(imp->check());
    entries::ImportReportDialog dialog(run().messages(), imp->report(), path,
                                       [&imp](int line) { return imp->lineName(line); });
    dialog.show();
    QTableWidget* table = dialog.table();
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 0)->text(), "3");
    EXPECT_EQ(table->item(0, 1)->text(), "Lee (OAK)");
    EXPECT_EQ(table->item(0, 2)->text(),
              "AthleteErr: Surname Empty\nAthleteErr: Invalid Gender: X");
    EXPECT_EQ(table->item(1, 1)->text(), "BOTHA, Kim (OAK)");
    EXPECT_EQ(table->item(1, 2)->text(), "Item Error: Invalid Item: Butterfly");
    keepPicture(dialog, QStringLiteral("import-report"));

    QApplication::clipboard()->clear();
    button(dialog, "&Copy")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), imp->reportText());

    // The save is offered beside the file, named after it.
    const QString saved = m_home->dir() + QStringLiteral("/club-errors.txt");
    QTimer::singleShot(0, [] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        static_cast<QDialog*>(chooser)->accept();
    });
    button(dialog, "&Save...")->click();
    EXPECT_EQ(fileText(saved), imp->reportText());
    // A folder is no file: said plainly, and nothing is written.
    EXPECT_FALSE(dialog.saveTo(m_home->dir()));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The report could not be saved to ")));

    const QString pdf = m_home->dir() + QStringLiteral("/errors.pdf");
    QPrinter printer;
    base::setUpPdfPrinter(printer, pdf, QStringLiteral("errors"));
    dialog.printTo(printer);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains("Importing Errors and Warnings")) << printed.toStdString();
    EXPECT_TRUE(printed.contains(QRegularExpression("3\\s+AthleteErr: Surname Empty")));
    EXPECT_TRUE(printed.contains("AthleteErr: Invalid Gender: X"));
    EXPECT_TRUE(printed.contains("PRINT THE ERRORS IF YOU WANT TO FOLLOW UP ON IT"));
}
