// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/PlatformChoice.h"

#include <QTest>

using namespace cindral::ui;

class PlatformChoiceTest : public QObject
{
    Q_OBJECT

private slots:
    void choosesX11OnlyWhenAServerIsNamedAndTheUserHasNotChosen_data()
    {
        QTest::addColumn<QByteArray>("platform"); // null for an unset variable
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("chosen");
        const QByteArray unset;
        const QByteArray x11First("xcb;wayland");
        QTest::newRow("X server, no choice") << unset << QByteArray(":0") << x11First;
        QTest::newRow("remote X server") << unset << QByteArray("localhost:10.0") << x11First;
        QTest::newRow("empty choice counts as none")
            << QByteArray("") << QByteArray(":1") << x11First;
        QTest::newRow("user's choice")
            << QByteArray("wayland") << QByteArray(":0") << QByteArray("wayland");
        QTest::newRow("no X server") << unset << unset << unset;
        QTest::newRow("empty DISPLAY") << unset << QByteArray("") << unset;
    }

    void choosesX11OnlyWhenAServerIsNamedAndTheUserHasNotChosen()
    {
        QFETCH(QByteArray, platform);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, chosen);
        for (const auto& [name, value] :
             {std::pair{"QT_QPA_PLATFORM", platform}, {"DISPLAY", display}}) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
        choosePlatform();
        QCOMPARE(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"), !chosen.isNull());
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), chosen);
    }
};

QTEST_APPLESS_MAIN(PlatformChoiceTest)
#include "PlatformChoiceTest.moc"
