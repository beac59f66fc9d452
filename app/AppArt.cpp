#include "app/AppArt.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace dedizo::AppArt {

namespace {

const QColor kDeep(18, 61, 112);
const QColor kLight(46, 125, 190);

// An open book: two pages and a spine.
void drawBook(QPainter& p, const QRectF& r, const QColor& page, const QColor& edge)
{
    const qreal w = r.width();
    const qreal h = r.height();
    QPainterPath left;
    left.moveTo(r.left() + w * 0.5, r.top() + h * 0.22);
    left.cubicTo(r.left() + w * 0.36, r.top() + h * 0.12, r.left() + w * 0.16, r.top() + h * 0.14,
                 r.left() + w * 0.06, r.top() + h * 0.2);
    left.lineTo(r.left() + w * 0.06, r.top() + h * 0.82);
    left.cubicTo(r.left() + w * 0.16, r.top() + h * 0.76, r.left() + w * 0.36, r.top() + h * 0.74,
                 r.left() + w * 0.5, r.top() + h * 0.84);
    left.closeSubpath();
    QTransform mirror;
    mirror.translate(r.left() + w * 0.5, 0);
    mirror.scale(-1, 1);
    mirror.translate(-(r.left() + w * 0.5), 0);
    const QPainterPath right = mirror.map(left);
    p.setPen(QPen(edge, qMax<qreal>(1.0, w / 40.0)));
    p.setBrush(page);
    p.drawPath(left);
    p.drawPath(right);
    p.drawLine(QPointF(r.left() + w * 0.5, r.top() + h * 0.22),
               QPointF(r.left() + w * 0.5, r.top() + h * 0.84));
}

QFont titleFont(int pixelSize, bool bold)
{
    QFont f(QStringLiteral("Noto Sans CJK SC"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

} // namespace

QPixmap logo(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, size, size);
    g.setColorAt(0, kLight);
    g.setColorAt(1, kDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0, 0, size, size), size * 0.18, size * 0.18);
    drawBook(p, QRectF(size * 0.12, size * 0.14, size * 0.76, size * 0.76), Qt::white, QColor(200, 220, 240));
    return pm;
}

QIcon appIcon()
{
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(logo(s));
    return icon;
}

QPixmap splash(const QString& title)
{
    QPixmap pm(450, 250);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 450, 250);
    g.setColorAt(0, kLight);
    g.setColorAt(1, kDeep);
    p.fillRect(pm.rect(), g);
    drawBook(p, QRectF(320, 16, 110, 110), QColor(255, 255, 255, 60), QColor(255, 255, 255, 120));
    p.drawPixmap(28, 44, logo(56));
    p.setPen(Qt::white);
    p.setFont(titleFont(24, true));
    p.drawText(QRect(28, 112, 400, 40), Qt::AlignLeft | Qt::AlignVCenter, title);
    return pm;
}

QPixmap mainBackground(const QSize& size)
{
    QPixmap pm(size.expandedTo(QSize(1, 1)));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, pm.width(), pm.height());
    g.setColorAt(0, kLight);
    g.setColorAt(1, kDeep);
    p.fillRect(pm.rect(), g);
    const qreal s = qMin(pm.width(), pm.height()) * 0.7;
    drawBook(p, QRectF(pm.width() - s * 1.05, pm.height() * 0.08, s, s), QColor(255, 255, 255, 28),
             QColor(255, 255, 255, 60));
    return pm;
}

QPixmap mainWord(const QString& title)
{
    const QFont f = titleFont(30, true);
    const QFontMetrics fm(f);
    QPixmap pm(fm.horizontalAdvance(title) + 90, 72);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawPixmap(0, 8, logo(56));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(70, 0, pm.width() - 70, pm.height()), Qt::AlignLeft | Qt::AlignVCenter, title);
    return pm;
}

QPixmap fromWorkingFolder(const QString& fileName, const QPixmap& fallback)
{
    const QString path = QDir::current().filePath(fileName);
    if (QFileInfo::exists(path)) {
        QPixmap pm;
        if (pm.load(path))
            return pm;
    }
    return fallback;
}

} // namespace dedizo::AppArt
