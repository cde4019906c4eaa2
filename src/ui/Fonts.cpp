#include "ui/Fonts.h"

#include <QStringList>
#include <cmath>

namespace cindral::ui::fonts {

namespace {

// Sizes are given in pixels at 96 dots per inch, so the texts keep the proportions of their
// boxes whatever dots-per-inch the screen reports; Qt scales both on high-density screens.
int pixelsFromPoints(double points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont face(const QStringList& families, double points, QFont::Weight weight)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelsFromPoints(points));
    font.setWeight(weight);
    return font;
}

QFont::Weight qtWeight(Weight weight)
{
    return weight == Weight::Bold ? QFont::Bold : QFont::Normal;
}

} // namespace

QFont sansSerif(Weight weight)
{
    return face({QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")}, 8.25,
                qtWeight(weight));
}

QFont title()
{
    return face({QStringLiteral("Humor Sans"), QStringLiteral("DejaVu Sans")}, 26.25, QFont::Bold);
}

QFont symbol()
{
    return face({QStringLiteral("Standard Symbols PS"), QStringLiteral("DejaVu Serif")}, 8.25,
                QFont::Normal);
}

QFont instructions()
{
    return face({QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("DejaVu Sans")}, 8.25,
                QFont::Normal);
}

} // namespace cindral::ui::fonts
