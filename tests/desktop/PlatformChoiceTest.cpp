#include "ui/PlatformChoice.h"

#include <QTest>

using namespace cindral::ui;

namespace {

// A null value stands for an unset variable, an empty one for a variable set to "".
void setVariable(const char* name, const QByteArray& value)
{
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value);
}

} // namespace

class PlatformChoiceTest : public QObject
{
    Q_OBJECT

private slots:
    void choosesX11OnlyWhenAServerIsNamedAndTheUserHasNotChosen_data()
    {
        QTest::addColumn<QByteArray>("platform");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("chosen");

        const QByteArray unset;
        const QByteArray x11First("xcb;wayland");
        QTest::newRow("X server, no choice") << unset << QByteArray(":0") << x11First;
        QTest::newRow("remote X server") << unset << QByteArray("localhost:10.0") << x11First;
        QTest::newRow("empty choice counts as none")
            << QByteArray("") << QByteArray(":1") << x11First;
        QTest::newRow("user chose Wayland")
            << QByteArray("wayland") << QByteArray(":0") << QByteArray("wayland");
        QTest::newRow("user chose X11 alone")
            << QByteArray("xcb") << QByteArray(":0") << QByteArray("xcb");
        QTest::newRow("no X server") << unset << unset << unset;
        QTest::newRow("empty DISPLAY") << unset << QByteArray("") << unset;
    }

    void choosesX11OnlyWhenAServerIsNamedAndTheUserHasNotChosen()
    {
        QFETCH(QByteArray, platform);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, chosen);
        setVariable("QT_QPA_PLATFORM", platform);
        setVariable("DISPLAY", display);

        choosePlatform();

        QCOMPARE(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"), !chosen.isNull());
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), chosen);
    }
};

QTEST_APPLESS_MAIN(PlatformChoiceTest)
#include "PlatformChoiceTest.moc"
