#include "ProgramIcon.h"

#include <QDir>
#include <QPolygonF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <functional>
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

// A sheet with a folded corner: the design archive's file icon.
void DrawSheet(QPainter &p)
{
    QPainterPath sheet;
    sheet.moveTo(96, 24);
    sheet.lineTo(336, 24);
    sheet.lineTo(432, 120);
    sheet.lineTo(432, 488);
    sheet.lineTo(96, 488);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(48, 40, 120), 14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(250, 250, 255));
    p.drawPath(sheet);
    p.setBrush(QColor(120, 220, 255));
    p.drawPolygon(QPolygonF({QPointF(336, 24), QPointF(336, 120), QPointF(432, 120)}));
}

QImage Drawn(int size, const std::function<void(QPainter &)> &draw)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 512.0, size / 512.0);
    draw(p);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

void Save(const QImage &image, const QString &dir, const QString &name)
{
    if (!QDir().mkpath(dir) || !image.save(dir + QLatin1Char('/') + name))
        throw std::runtime_error(QStringLiteral("cannot write the icon into %1").arg(dir).toStdString());
}

} // namespace

QImage DrawProgramIcon(int size)
{
    return Drawn(size, [](QPainter &p) {
        DrawBackground(p);
        DrawCrosshair(p);
        DrawBolt(p);
    });
}

QImage DrawDesignFileIcon(int size)
{
    return Drawn(size, [](QPainter &p) {
        DrawSheet(p);
        p.translate(128, 150);
        p.scale(0.55, 0.55);
        DrawBolt(p);
    });
}

void MakeProgramIcons(const QString &root)
{
    for (const int size : {16, 32, 48, 64, 128, 256, 512}) {
        const QString theme = QStringLiteral("%1/hicolor/%2x%2/").arg(root).arg(size);
        Save(DrawProgramIcon(size), theme + QLatin1String("apps"), QStringLiteral("snapstorm.png"));
        Save(DrawDesignFileIcon(size), theme + QLatin1String("mimetypes"),
             QStringLiteral("application-x-snapstorm-design.png"));
    }
}
