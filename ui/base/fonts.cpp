#include "fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <cmath>

namespace ui {

void useJapaneseFonts()
{
    // Proportional faces first: the layout was drawn for a proportional Gothic.
    const QStringList gothic{
        QStringLiteral("IPAPGothic"),   QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Source Han Sans JP"),
        QStringLiteral("IPAexGothic"),  QStringLiteral("VL PGothic"),       QStringLiteral("TakaoPGothic"),
        QStringLiteral("Noto Sans JP"), QStringLiteral("IPAGothic"),        QStringLiteral("Hiragino Sans"),
        QStringLiteral("Yu Gothic UI"), QStringLiteral("MS PGothic"),
    };
    QStringList installed;
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString &face : gothic)
        if (families.contains(face, Qt::CaseInsensitive))
            installed.append(face);
    // An unknown family costs nothing, and keeps the order when the list above finds nothing.
    if (installed.isEmpty())
        installed = gothic;
    QFont::insertSubstitutions(kLayoutFontFamily, installed);
    QApplication::setFont(layoutFont(9));
}

int pixelsForPoints(double points)
{
    return int(std::lround(points * 96.0 / 72.0));
}

QFont layoutFont(double points)
{
    QFont font(kLayoutFontFamily);
    font.setPixelSize(pixelsForPoints(points));
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace ui
