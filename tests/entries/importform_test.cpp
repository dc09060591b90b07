#include "importfixture.h"
#include "screenpicture.h"

#include "entries/forms/athleteimportform.h"
#include "entries/forms/athletesform.h"
#include "entries/forms/teamsform.h"

#include <QApplication>
#include <QMap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>

namespace {

// Notches of the mouse wheel over the middle of `widget`; true when the widget took them.
// The application hands a wheel that was not taken on to the parents (the scrolled panel);
// a sent event is not handed on, so the test hands it to the panel itself.
bool turnWheel(QWidget* widget, int notches)
{
    const QPointF pos = QRectF(widget->rect()).center();
    QWheelEvent wheel(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
    return wheel.isAccepted();
}

} // namespace

TEST_F(ImportTest, theImportScreenShowsTheFileReportsAndImportsAfterAFix)
{
    run().config().writeInt(QStringLiteral("CSV_ATH_COLMNO_SURNAME"), 1);
    importer()->saveSetup();
    entries::AthleteImportForm form(run());
    form.resize(1240, 820);
    form.show();
    const QString path = writeFile(QStringLiteral("club.csv"),
                                   withHeader("NEL,Jan,M,13,OAK,1,50m Freestyle,0:31.25\n"
                                              "BOTHA,Kim,M,13,OAK,2,50m Freestyle,31.2x\n"
                                              ",Lee,M,13,OAK,3\n"));
    ASSERT_TRUE(form.showFile(path));
    EXPECT_EQ(form.grid()->rowCount(), 4);
    EXPECT_EQ(form.grid()->horizontalHeaderItem(0)->text(), QStringLiteral("1\nSurname"));
    keepPicture(form, QStringLiteral("import-file"));
    QString report;
    form.setReportQuestion([&report](const QString& text) {
        report = text;
        return false;
    });
    EXPECT_EQ(form.importFile(), entries::AthleteImport::Outcome::Stopped);
    EXPECT_TRUE(report.contains("     4  AthleteErr: Surname Empty"));
    EXPECT_TRUE(report.contains("Best Before may only contain numeric characters: 31.2x"));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 0);

    // The official fixes the file and imports again; now it goes through.
    writeFile(QStringLiteral("club.csv"), withHeader("NEL,Jan,M,13,OAK,1,50m Freestyle,0:31.25\n"
                                                     "BOTHA,Kim,M,13,OAK,2,50m Freestyle,31.20\n"
                                                     "DU TOIT,Lee,M,13,OAK,3\n"));
    ASSERT_TRUE(form.showFile(path));
    form.setReportQuestion([](const QString&) { return true; });
    EXPECT_EQ(form.importFile(), entries::AthleteImport::Outcome::Imported);
    EXPECT_TRUE(form.status().contains("3 Athletes added")) << form.status().toStdString();
    keepPicture(form, QStringLiteral("import-done"));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 3);

    entries::TeamsForm teams(run());
    teams.show();
    ASSERT_EQ(teams.table()->rowCount(), 1);
    EXPECT_EQ(teams.table()->item(0, 4)->text(), QStringLiteral("3"));
    keepPicture(teams, QStringLiteral("teams"));
    entries::AthletesForm athletes(run());
    athletes.show();
    keepPicture(athletes, QStringLiteral("swimmers"));
}

TEST_F(ImportTest, theWheelOverAColumnNumberScrollsThePanelUnlessTheNumberHasTheFocus)
{
    entries::AthleteImportForm form(run());
    form.resize(1000, 360);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* scroll = form.findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    ASSERT_GT(scroll->verticalScrollBar()->maximum(), 0) << "the panel must scroll";
    const QList<QSpinBox*> spins = scroll->widget()->findChildren<QSpinBox*>();
    ASSERT_FALSE(spins.isEmpty());
    QSpinBox* column = spins.first();
    column->setValue(5);
    form.grid()->setFocus();
    EXPECT_EQ(column->focusPolicy(), Qt::StrongFocus);
    EXPECT_FALSE(turnWheel(column, -1));
    EXPECT_EQ(column->value(), 5);
    EXPECT_FALSE(column->hasFocus());
    turnWheel(scroll->viewport(), -1);
    EXPECT_GT(scroll->verticalScrollBar()->value(), 0);
    // Once the user is in the box, the wheel is theirs to change it.
    column->setFocus();
    EXPECT_TRUE(turnWheel(column, 1));
    EXPECT_EQ(column->value(), 6);
}

TEST_F(ImportTest, theSetupPanelShowsWholeWithoutScrollingSideways)
{
    entries::AthleteImportForm form(run());
    const QRect desktop = form.screen()->availableGeometry();
    EXPECT_LE(form.width(), desktop.width());
    EXPECT_LE(form.height(), desktop.height());
    // Its own size on this desktop, the size it asks for on a large one, and a small window.
    for (const QSize size : {form.size(), QSize(1240, 820), QSize(900, 600)}) {
        form.resize(size);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QCoreApplication::processEvents();
        auto* scroll = form.findChild<QScrollArea*>();
        ASSERT_NE(scroll, nullptr);
        const QWidget* panel = scroll->widget();
        EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0) << size.width();
        EXPECT_GE(panel->width(), panel->minimumSizeHint().width()) << size.width();
        for (const QWidget* w : panel->findChildren<QWidget*>()) {
            if (!w->isVisible())
                continue;
            const QRect shown(w->mapTo(scroll->viewport(), QPoint()), w->size());
            EXPECT_LE(shown.right(), scroll->viewport()->width())
                << size.width() << " cuts off " << w->metaObject()->className() << " "
                << w->objectName().toStdString();
        }
        EXPECT_GT(form.grid()->width(), panel->width() / 2) << "the file's grid is squeezed";
    }
}

TEST_F(ImportTest, everyButtonOfTheSwimmersScreenHasItsOwnAltKey)
{
    entries::AthletesForm athletes(run());
    QMap<QChar, QString> keys;
    for (const QPushButton* button : athletes.findChildren<QPushButton*>()) {
        const QString text = button->text();
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        if (amp < 0 || amp + 1 >= text.size())
            continue;
        const QChar key = text.at(amp + 1).toLower();
        EXPECT_FALSE(keys.contains(key))
            << text.toStdString() << " and " << keys.value(key).toStdString() << " share Alt+"
            << QString(key).toStdString();
        keys.insert(key, text);
    }
    EXPECT_TRUE(keys.contains(QLatin1Char('m'))) << "the import has no Alt key";
}
