// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/PlatformChoice.h"

#include <QTest>

using namespace cindral::ui;

class PlatformChoiceTest : public QObject
{
    Q_OBJECT

private slots:
    void choosesX11WhereAServerIsNamedAndShowsWindowsWhereADisplayOrAPlatformIs_data()
    {
        QTest::addColumn<QByteArray>("platform"); // null for an unset variable
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("chosen");
        QTest::addColumn<bool>("showsWindows");
        const QByteArray unset;
        const QByteArray x11First("xcb;wayland");
        const QByteArrayList none;
        QTest::newRow("X server, no choice")
            << unset << QByteArray(":0") << unset << none << x11First << true;
        QTest::newRow("remote X server")
            << unset << QByteArray("localhost:10.0") << unset << none << x11First << true;
        QTest::newRow("empty choice counts as none")
            << QByteArray("") << QByteArray(":1") << unset << none << x11First << true;
        QTest::newRow("user's choice") << QByteArray("wayland") << QByteArray(":0") << unset << none
                                       << QByteArray("wayland") << true;
        QTest::newRow("Wayland alone")
            << unset << unset << QByteArray("wayland-0") << none << unset << true;
        QTest::newRow("no display at all") << unset << unset << unset << none << unset << false;
        QTest::newRow("empty DISPLAY and WAYLAND_DISPLAY")
            << unset << QByteArray("") << QByteArray("") << none << unset << false;
        QTest::newRow("a platform that needs no display")
            << QByteArray("offscreen") << unset << unset << none << QByteArray("offscreen") << true;
        QTest::newRow("Qt's -platform option")
            << unset << unset << unset << QByteArrayList{"notes.txt", "-platform", "offscreen"}
            << unset << true;
        QTest::newRow("Qt's --display option")
            << unset << unset << unset << QByteArrayList{"--display", ":0"} << unset << true;
        QTest::newRow("an option without its value")
            << unset << unset << unset << QByteArrayList{"-platform"} << unset << false;
    }

    void choosesX11WhereAServerIsNamedAndShowsWindowsWhereADisplayOrAPlatformIs()
    {
        QFETCH(QByteArray, platform);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArray, chosen);
        QFETCH(bool, showsWindows);
        for (const auto& [name, value] : {std::pair{"QT_QPA_PLATFORM", platform},
                                          {"DISPLAY", display},
                                          {"WAYLAND_DISPLAY", wayland}}) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
        QCOMPARE(canShowWindows(arguments), showsWindows);
        choosePlatform();
        QCOMPARE(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"), !chosen.isNull());
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), chosen);
    }
};

QTEST_APPLESS_MAIN(PlatformChoiceTest)
#include "PlatformChoiceTest.moc"
