#include "editor/ui/PictureFileDialog.h"

#include "editor/PictureFit.h"
#include "sprites/PictureReader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace {

struct TPictureKind {
    const char *Name;
    QStringList Extensions;
};

const QList<TPictureKind> &Kinds()
{
    static const QList<TPictureKind> kinds = {
        {"JPEG Image File", {QStringLiteral("jpg"), QStringLiteral("jpeg")}},
        {"HEIC/HEIF Image", {QStringLiteral("heic"), QStringLiteral("heif")}},
        {"PNG Image", {QStringLiteral("png")}},
        {"WebP Image", {QStringLiteral("webp")}},
        {"TIFF Image", {QStringLiteral("tif"), QStringLiteral("tiff")}},
        {"GIF Image", {QStringLiteral("gif")}},
        {"Bitmaps", {QStringLiteral("bmp")}},
        {"Symbole", {QStringLiteral("ico")}},
    };
    return kinds;
}

QString Patterns(const QStringList &extensions)
{
    QStringList patterns;
    for (const QString &extension : extensions)
        patterns << AnyCasePattern(extension);
    return patterns.join(QLatin1Char(' '));
}

} // namespace

QString AnyCasePattern(const QString &extension)
{
    QString pattern = QStringLiteral("*.");
    for (const QChar c : extension)
        pattern += c.isLetter() ? QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper()) : QString(c);
    return pattern;
}

QStringList PictureFilters()
{
    QStringList all;
    QStringList filters;
    for (const TPictureKind &kind : Kinds()) {
        all += kind.Extensions;
        filters << QStringLiteral("%1 (%2)").arg(QLatin1String(kind.Name), Patterns(kind.Extensions));
    }
    // Qt's own catalogue has the words in the player's language ("Alle
    // Dateien" in German, "All Files" untranslated).
    QString allFiles = QCoreApplication::translate("QFileDialog", "All Files (*)");
    allFiles.remove(QStringLiteral(" (*)"));
    filters.prepend(QStringLiteral("%1 (%2)").arg(allFiles, Patterns(all)));
    return filters;
}

TPictureFileDialog::TPictureFileDialog(QWidget *parent, const QString &startDir, bool several)
    : QFileDialog(parent, QString(), startDir)
{
    // The preview needs the dialog's own widgets, not the desktop's.
    setOption(QFileDialog::DontUseNativeDialog, true);
    // The any-case patterns work but read badly: show the labels alone.
    setOption(QFileDialog::HideNameFilterDetails, true);
    setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    setNameFilters(PictureFilters());
    mPreview = new QLabel(this);
    mPreview->setObjectName(QStringLiteral("PicturePreview"));
    mPreview->setFixedSize(PreviewSide, PreviewSide);
    mPreview->setAlignment(Qt::AlignCenter);
    mPreview->setAccessibleName(QStringLiteral("Preview"));
    if (auto *grid = qobject_cast<QGridLayout *>(layout()))
        grid->addWidget(mPreview, 1, grid->columnCount(), grid->rowCount() - 1, 1, Qt::AlignTop);
    connect(this, &QFileDialog::currentChanged, this, &TPictureFileDialog::ShowPreview);
}

void TPictureFileDialog::ShowPreview(const QString &path)
{
    mPreview->clear();
    if (!QFileInfo(path).isFile())
        return;
    try {
        const TPicture picture = LoadPicture(path);
        const QImage still = picture.Width() > PreviewSide || picture.Height() > PreviewSide
                                 ? FitBitmap(PreviewSide, StillBitmap(picture))
                                 : StillBitmap(picture);
        mPreview->setPixmap(QPixmap::fromImage(still));
    } catch (const std::exception &) {
        // Not a picture we can read: the preview stays empty.
    }
}
