// The picture reader as a design folder meets it: the file's kind comes
// from its name, so the name is chosen from the content's signature (and,
// for unknown content, from the first byte so every reader sees junk too).
#include "FuzzSupport.h"

#include "sprites/PictureReader.h"

#include <QImage>
#include <QPainter>

namespace {

QString ExtensionFor(const QByteArray &bytes)
{
    if (bytes.startsWith("GIF8"))
        return QStringLiteral("gif");
    if (bytes.startsWith("\xFF\xD8"))
        return QStringLiteral("jpg");
    if (bytes.startsWith("BM"))
        return QStringLiteral("bmp");
    if (bytes.startsWith("\x89PNG"))
        return QStringLiteral("png");
    if (bytes.startsWith(QByteArray("\0\0\1\0", 4)))
        return QStringLiteral("ico");
    static const char *const kinds[] = {"gif", "jpg", "bmp", "png", "ico"};
    return QLatin1String(kinds[bytes.isEmpty() ? 0 : uchar(bytes[0]) % 5]);
}

// Drawing touches every frame's pixels the way the play field does.
void Draw(const TPicture &picture)
{
    QImage canvas(64, 64, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    for (int frame : {0, picture.FrameCount() - 1}) {
        picture.Draw(painter, -picture.Width() / 2, -picture.Height() / 2, frame, true);
        picture.Draw(painter, 0, 0, frame, false);
    }
    (void)picture.ToImage();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzInitQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);
    const QString path = FuzzWriteFile(QStringLiteral("picture.") + ExtensionFor(bytes), bytes);
    try {
        Draw(LoadPicture(path));
    } catch (const EPictureError &) {
    }
    return 0;
}
