// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/TextFit.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QTest>

using namespace cindral::ui;

class TextFitTest : public QObject
{
    Q_OBJECT

private slots:
    // A label keeps the size it was given while its text fits, whether that size was set in
    // points or in pixels, and while it has no text yet (a clock shrunk before its first tick
    // would stay tiny); a text too wide gets the largest size at which it fits.
    void keepsASizeThatFitsAndShrinksOnlyAsFarAsNeeded()
    {
        QFont points = QApplication::font();
        points.setPointSize(12);
        QFont pixels = points;
        pixels.setPixelSize(16);
        const QString text = QStringLiteral("Getting Data from the File...");
        for (const QFont& font : {points, pixels}) {
            const int given = QFontInfo(font).pixelSize();
            const int wide = QFontMetrics(font).horizontalAdvance(text);
            for (const auto& [shown, width, expectShrunk] : {std::tuple{QString(), 10, false},
                                                             {text, wide + 20, false},
                                                             {text, wide / 2, true}}) {
                QLabel label(shown);
                label.setFont(font);
                label.resize(width, 3 * given);
                fit::shrinkToFit(label);
                const int fitted = QFontInfo(label.font()).pixelSize();
                QCOMPARE(fitted < given, expectShrunk);
                QVERIFY(fitted <= given);
                QFont larger = label.font();
                larger.setPixelSize(fitted + 1);
                QCOMPARE(QFontMetrics(larger).horizontalAdvance(shown) > width, expectShrunk);
            }
        }
    }
};

QTEST_MAIN(TextFitTest)
#include "TextFitTest.moc"
