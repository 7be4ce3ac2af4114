#include "editor/ui/ToolGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const char *ThemeName(TToolGlyph glyph)
{
    switch (glyph) {
    case TToolGlyph::New: return "document-new";
    case TToolGlyph::Open: return "document-open";
    case TToolGlyph::Save: return "document-save";
    case TToolGlyph::SaveZip: return "package-x-generic";
    case TToolGlyph::ImportZip: return "document-import";
    case TToolGlyph::Mail: return "mail-send";
    }
    return "";
}

void DrawPage(QPainter &p)
{
    QPainterPath page;
    page.moveTo(3, 1);
    page.lineTo(10, 1);
    page.lineTo(13, 4);
    page.lineTo(13, 15);
    page.lineTo(3, 15);
    page.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(page);
}

void DrawGlyph(QPainter &p, TToolGlyph glyph)
{
    p.setPen(QPen(Qt::black, 1));
    switch (glyph) {
    case TToolGlyph::New:
        DrawPage(p);
        break;
    case TToolGlyph::Open:
        p.setBrush(QColor(230, 190, 80));
        p.drawRect(1, 5, 14, 9);
        p.drawRect(1, 3, 6, 2);
        break;
    case TToolGlyph::Save:
        p.setBrush(QColor(60, 90, 170));
        p.drawRect(1, 1, 14, 14);
        p.setBrush(Qt::white);
        p.drawRect(4, 1, 8, 5);
        break;
    case TToolGlyph::SaveZip:
        DrawPage(p);
        p.drawText(QRect(3, 3, 10, 12), Qt::AlignCenter, QStringLiteral("Z"));
        break;
    case TToolGlyph::ImportZip:
        DrawPage(p);
        p.drawLine(8, 4, 8, 12);
        p.drawLine(5, 9, 8, 12);
        p.drawLine(11, 9, 8, 12);
        break;
    case TToolGlyph::Mail:
        p.setBrush(Qt::white);
        p.drawRect(1, 3, 14, 10);
        p.drawLine(1, 3, 8, 9);
        p.drawLine(15, 3, 8, 9);
        break;
    }
}

} // namespace

QIcon ToolGlyph(TToolGlyph glyph)
{
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(ThemeName(glyph)));
    if (!themed.isNull())
        return themed;
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    DrawGlyph(painter, glyph);
    return QIcon(pixmap);
}
