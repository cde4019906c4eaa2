#include "ui/PlatformChoice.h"

#include <QTest>
#include <optional>

using namespace cindral::ui;

using Variable = std::optional<QByteArray>;

namespace {

const Variable unset;

void setVariable(const char* name, const Variable& value)
{
    if (value)
        qputenv(name, *value);
    else
        qunsetenv(name);
}

Variable variable(const char* name)
{
    if (!qEnvironmentVariableIsSet(name))
        return unset;
    return qgetenv(name);
}

} // namespace

// Names an unset variable in a failed comparison; found by argument-dependent lookup.
char* toString(const Variable& value)
{
    return value ? QTest::toString(*value) : qstrdup("unset");
}

class PlatformChoiceTest : public QObject
{
    Q_OBJECT

private:
    Variable m_savedPlatform;
    Variable m_savedDisplay;

private slots:
    void init()
    {
        m_savedPlatform = variable("QT_QPA_PLATFORM");
        m_savedDisplay = variable("DISPLAY");
    }

    void cleanup()
    {
        setVariable("QT_QPA_PLATFORM", m_savedPlatform);
        setVariable("DISPLAY", m_savedDisplay);
    }

    void choosesX11OnlyWhenAServerIsNamedAndTheUserHasNotChosen_data()
    {
        QTest::addColumn<Variable>("platform");
        QTest::addColumn<Variable>("display");
        QTest::addColumn<Variable>("chosen");

        const Variable x11First = QByteArray("xcb;wayland");
        QTest::newRow("X server, no choice") << unset << Variable(":0") << x11First;
        QTest::newRow("remote X server") << unset << Variable("localhost:10.0") << x11First;
        QTest::newRow("empty choice counts as none") << Variable("") << Variable(":1") << x11First;
        QTest::newRow("user chose Wayland")
            << Variable("wayland") << Variable(":0") << Variable("wayland");
        QTest::newRow("user chose X11 alone")
            << Variable("xcb") << Variable(":0") << Variable("xcb");
        QTest::newRow("user chose offscreen")
            << Variable("offscreen") << unset << Variable("offscreen");
        QTest::newRow("no X server") << unset << unset << unset;
        QTest::newRow("empty DISPLAY") << unset << Variable("") << unset;
    }

    void choosesX11OnlyWhenAServerIsNamedAndTheUserHasNotChosen()
    {
        QFETCH(Variable, platform);
        QFETCH(Variable, display);
        QFETCH(Variable, chosen);
        setVariable("QT_QPA_PLATFORM", platform);
        setVariable("DISPLAY", display);

        choosePlatform();

        QCOMPARE(variable("QT_QPA_PLATFORM"), chosen);
    }
};

QTEST_APPLESS_MAIN(PlatformChoiceTest)
#include "PlatformChoiceTest.moc"
