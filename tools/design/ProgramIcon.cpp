#include "ProgramIcon.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <stdexcept>

namespace {

// All shapes are laid out on a 512-unit square.
void DrawBackground(QPainter &p)
{
    QRadialGradient sky(QPointF(256, 200), 330);
    sky.setColorAt(0, QColor(48, 40, 120));
    sky.setColorAt(1, QColor(8, 6, 28));
    p.setPen(QPen(QColor(120, 220, 255), 12));
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(16, 16, 480, 480), 96, 96);
}

void DrawCrosshair(QPainter &p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 80, 120), 22, Qt::SolidLine, Qt::RoundCap));
    p.drawEllipse(QPointF(256, 256), 168, 168);
    for (const QLineF &tick : {QLineF(256, 60, 256, 120), QLineF(256, 392, 256, 452),
                               QLineF(60, 256, 120, 256), QLineF(392, 256, 452, 256)})
        p.drawLine(tick);
}

void DrawBolt(QPainter &p)
{
    QPainterPath bolt;
    bolt.moveTo(300, 70);
    bolt.lineTo(160, 290);
    bolt.lineTo(250, 290);
    bolt.lineTo(200, 442);
    bolt.lineTo(356, 214);
    bolt.lineTo(266, 214);
    bolt.closeSubpath();
    QLinearGradient fill(QPointF(200, 70), QPointF(300, 442));
    fill.setColorAt(0, QColor(255, 255, 190));
    fill.setColorAt(1, QColor(255, 190, 0));
    p.setPen(QPen(QColor(40, 20, 0), 14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(bolt);
}

} // namespace

QImage DrawProgramIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 512.0, size / 512.0);
    DrawBackground(p);
    DrawCrosshair(p);
    DrawBolt(p);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

void MakeProgramIcons(const QString &root)
{
    for (const int size : {16, 32, 48, 64, 128, 256, 512}) {
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(dir) || !DrawProgramIcon(size).save(dir + QLatin1String("/snapstorm.png")))
            throw std::runtime_error(QStringLiteral("cannot write the icon into %1").arg(dir).toStdString());
    }
}
