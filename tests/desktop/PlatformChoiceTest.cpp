// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/PlatformChoice.h"

#include <QTest>
#include <tuple>

using namespace cindral::ui;

class PlatformChoiceTest : public QObject
{
    Q_OBJECT

private slots:
    // An empty variable counts as unset, for the user's choice and for the X server alike.
    void choosesX11OnlyWhenAServerIsNamedAndTheUserHasNotChosen()
    {
        const QByteArray unset;
        const QByteArray x11First("xcb;wayland");
        for (const auto& [platform, display, chosen] :
             {std::tuple{unset, QByteArray(":0"), x11First},
              {QByteArray(""), QByteArray(":1"), x11First},
              {QByteArray("wayland"), QByteArray(":0"), QByteArray("wayland")},
              {unset, QByteArray(""), unset}}) {
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
    }
};

QTEST_APPLESS_MAIN(PlatformChoiceTest)
#include "PlatformChoiceTest.moc"
