// The main of every test program: a QApplication (offscreen unless a display is asked
// for) so that screens, queued calls and timers work in any test.

#include "base/forms/wheelguard.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// The offscreen desktop is 1024 x 768, the smallest the program is made for, so that the
// screens' tests see whether they fit it.
QString smallDesktopConfig()
{
    const QString path = QDir::temp().filePath(
        QStringLiteral("dolvane-test-desktop-%1.json").arg(QCoreApplication::applicationPid()));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write(R"({"screens": [{"name": "Desktop", "x": 0, "y": 0, "width": 1024, )"
               R"("height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    return path;
}

} // namespace

int main(int argc, char** argv)
{
    QString config;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        config = smallDesktopConfig();
        qputenv("QT_QPA_PLATFORM", config.isEmpty()
                                       ? QByteArray("offscreen")
                                       : "offscreen:configfile=" + QFile::encodeName(config));
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        base::installWheelGuard(app);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (!config.isEmpty())
        QFile::remove(config);
    return result;
}
