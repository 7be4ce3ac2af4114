#include "design/DesignPreviewMaker.h"

#include "design/DesignBudget.h"
#include "design/DesignLayout.h"
#include "design/DesignPictures.h"
#include "design/GamePar.h"
#include "sprites/PictureReader.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace {

// Cannons left shown beside the score, as at the start of a game.
constexpr int kCanonsLeftShown = 2;

int NumberOr(const TGamePar &par, const char *key, int fallback)
{
    int value = 0;
    return ParseInt32(par.Params().Value(QLatin1String(key)), value) ? value : fallback;
}

// Reads pictures within the design's budget, as loading it for play does,
// so that a preview never decodes what the game would refuse.
class TPreviewPictures
{
public:
    explicit TPreviewPictures(const QString &designName) : mBudget(designName) {}

    TPicture Load(int slot, const QString &file)
    {
        try {
            mBudget.CheckPictureFile(slot, file);
            TPicture picture = LoadPicture(file);
            mBudget.BookPicture(slot, picture, file);
            return picture;
        } catch (const std::exception &) {
            return {};
        }
    }

private:
    TDesignBudget mBudget;
};

// Draws a picture with its top-left corner at the cell's, as the game
// places a ship; one larger than the cell is shrunk into it.
void DrawInCell(QPainter &painter, const TPicture &picture, const QRect &cell)
{
    if (picture.IsEmpty() || cell.isEmpty())
        return;
    const double scale = std::min({1.0, double(cell.width()) / picture.Width(),
                                   double(cell.height()) / picture.Height()});
    painter.save();
    painter.translate(cell.topLeft());
    painter.scale(scale, scale);
    picture.Draw(painter, 0, 0, 0, true);
    painter.restore();
}

// A design with a title of its own shows it where the attract screen
// begins, at the top of the field, as it stands once it has played.
void DrawOwnTitle(QPainter &painter, const TGamePar &par, TPreviewPictures &pictures, QSize field)
{
    const QString file = par.ImageFile(kFirstTitlePicture);
    if (!file.startsWith(par.DesignDir()))
        return;
    const TPicture title = pictures.Load(kFirstTitlePicture, file);
    if (title.IsEmpty())
        return;
    const double scale = std::min(1.0, double(field.width()) / title.Width());
    painter.save();
    painter.translate((field.width() - title.Width() * scale) / 2, 0);
    painter.scale(scale, scale);
    title.Draw(painter, 0, 0, title.FrameCount() - 1, true);
    painter.restore();
}

} // namespace

TDesignPreviewMaker::TDesignPreviewMaker(TDesignRoots roots)
    : mRoots(std::move(roots))
{
}

TDesignPreview TDesignPreviewMaker::Make(const QString &name) const
{
    // The design's numbers and file look-ups (its own files, else Default's)
    // without loading every picture and photo it has.
    TGamePar par(mRoots);
    par.SetDesignName(name);
    par.SetDesignDir(mRoots.DirOf(name));
    const QString ini = ExistingFileNoCase(par.DesignDir(), QLatin1String(DesignIniName));
    if (!ini.isEmpty())
        par.Params().LoadFromFile(ini);
    TDesignPreview preview;
    preview.Author = par.Params().Value(QStringLiteral("Author"));

    TPreviewPictures pictures(name);
    const TPicture ship = pictures.Load(kShipPicture, par.ImageFile(kShipPicture));
    const TPicture canon = pictures.Load(kCanonPicture, par.ImageFile(kCanonPicture));
    const TPicture canonLeft = pictures.Load(kCanonLeftPicture, par.ImageFile(kCanonLeftPicture));
    const TPicture home = pictures.Load(kHomePicture, par.ImageFile(kHomePicture));
    const int columns = par.ShipColumns();
    const int photoCount = std::clamp(NumberOr(par, "PhotoCount", 0), 0, columns);
    std::vector<TPicture> photos;
    for (int k = 1; k <= photoCount; ++k) {
        TPicture photo = pictures.Load(-k, par.PhotoFile(QStringLiteral("Photo_%1").arg(k)));
        if (!photo.IsEmpty())
            photos.push_back(std::move(photo));
    }

    TLayoutInput in;
    in.ShipWidth = ship.Width();
    in.ShipHeight = ship.Height();
    in.CanonLeftHeight = canonLeft.Height();
    in.HomeHeight = home.Height();
    in.CanonHeight = canon.Height();
    in.BigShipWidth = NumberOr(par, "BigShipWidth", 0);
    in.BigShipHeight = NumberOr(par, "BigShipHeight", 0);
    in.ShipColumns = columns;
    in.ShipRows = par.ShipRows();
    in.FormationLeft = par.FormationLeft();
    in.ShipRangeX = par.ShipRangeX();
    const TLayout layout = ComputeLayoutNumbers(in);
    // A design the game would refuse still shows its colour or background.
    const bool fits = layout.FitsField();
    const QSize field = fits ? QSize(int(layout.ClientWidth), int(layout.ClientHeight)) : QSize(640, 480);

    QImage canvas(field, QImage::Format_RGB32);
    const std::optional<QColor> colour = par.BackgroundColor();
    canvas.fill(colour.value_or(Qt::black));
    QPainter painter(&canvas);
    if (!colour) {
        // As in the game: a bitmap centred on black, an animated one not at all.
        const TPicture background = pictures.Load(kBackgroundPicture, par.ImageFile(kBackgroundPicture));
        if (background.IsBitmap())
            painter.drawImage((field.width() - background.Width()) / 2,
                              (field.height() - background.Height()) / 2, background.Bitmap());
    }
    if (fits) {
        const QSize cell(int(layout.BigShipWidth), int(layout.BigShipHeight));
        for (int c = 0; c < columns; ++c) {
            const TPicture &shown = photos.empty() ? ship : photos[std::size_t(c) % photos.size()];
            const QPoint at(in.FormationLeft + c * int(layout.ShipDistX), int(layout.FormationTop));
            DrawInCell(painter, shown, QRect(at, cell));
        }
        for (int k = 0; k < par.HomeCount(); ++k) {
            const QPoint at(par.HomeLeft() + k * par.HomeDistX(), int(layout.HomeTop));
            DrawInCell(painter, home, QRect(at, home.Size()));
        }
        for (int k = 0; k < kCanonsLeftShown; ++k) {
            const QPoint at(par.LivesLeft() + k * par.LivesDistX(), par.LivesTop());
            DrawInCell(painter, canonLeft, QRect(at, canonLeft.Size()));
        }
        // The cannon stands where a new game starts it.
        DrawInCell(painter, canon, QRect(QPoint(par.LivesLeft(), int(layout.CanonTop)), canon.Size()));
        DrawOwnTitle(painter, par, pictures, field);
    }
    painter.end();
    // Scaled once at the end: smooth scaling averages every pixel, where
    // drawing each picture shrunk would drop thin lines.
    preview.Image = canvas.scaled(MaxSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return preview;
}
