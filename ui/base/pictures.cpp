#include "pictures.h"

#include "fonts.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

// The resource lives in a static library: make sure it is linked in and registered.
static void registerPictures()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    Q_UNUSED(done);
}

namespace ui {

QIcon picture(const QString &name)
{
    registerPictures();
    return QIcon(QStringLiteral(":/pictures/%1.svg").arg(name));
}

QPixmap titleBanner(qreal devicePixelRatio)
{
    const QSize size(308, 62);
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);

    QFont font = layoutFont(9);
    font.setPixelSize(50);
    font.setBold(true);
    font.setItalic(true);
    QPainterPath text;
    text.addText(0, 0, font, QCoreApplication::translate("Pictures", "カナリンカ"));
    // Centre the lettering, leaving room for the shadow.
    const QRectF box = text.boundingRect();
    const QPointF offset(QPointF(size.width() - 4, size.height() - 4) / 2 - box.center());
    text.translate(offset);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(150, 150, 150));
    painter.drawPath(text.translated(4, 4));

    const QRectF lettering = text.boundingRect();
    QLinearGradient red(lettering.left(), 0, lettering.right(), 0);
    red.setColorAt(0, QColor(112, 0, 16));
    red.setColorAt(0.55, QColor(200, 0, 0));
    red.setColorAt(1, QColor(255, 24, 24));
    painter.setBrush(red);
    painter.setPen(QPen(QColor(96, 0, 0, 160), 0.8));
    painter.drawPath(text);
    return pixmap;
}

} // namespace ui
