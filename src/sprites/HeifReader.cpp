// HEIC and HEIF pictures (what phones store photos as) through libheif.
// libheif turns the picture as its file says (rotation and mirror boxes),
// so it comes out upright as it is.
#include "sprites/PictureReader.h"

#include "gif/GifImage.h"

#include <QFile>

#include <libheif/heif.h>

#include <memory>

namespace {

struct TContextFree { void operator()(heif_context *c) const { heif_context_free(c); } };
struct THandleRelease { void operator()(heif_image_handle *h) const { heif_image_handle_release(h); } };
struct TImageRelease { void operator()(heif_image *i) const { heif_image_release(i); } };

void Check(const QString &path, const heif_error &error)
{
    if (error.code != heif_error_Ok)
        throw EPictureError(path, TPictureProblem::Damaged, QString::fromUtf8(error.message));
}

} // namespace

QImage ReadHeifFile(const QString &path, const TDeclaredPixelsCheck &beforeDecoding)
{
    std::unique_ptr<heif_context, TContextFree> context(heif_context_alloc());
    if (!context)
        throw EPictureError(path, TPictureProblem::NoMemory);
    heif_context_set_maximum_image_size_limit(context.get(), TGifImage::MaxSide);
    Check(path, heif_context_read_from_file(context.get(), QFile::encodeName(path).constData(), nullptr));
    heif_image_handle *rawHandle = nullptr;
    Check(path, heif_context_get_primary_image_handle(context.get(), &rawHandle));
    std::unique_ptr<heif_image_handle, THandleRelease> handle(rawHandle);

    // The size is known from the headers: refuse before any pixel is decoded.
    const int width = heif_image_handle_get_width(handle.get());
    const int height = heif_image_handle_get_height(handle.get());
    if (width <= 0 || height <= 0)
        throw EPictureError(path, TPictureProblem::Damaged);
    if (TGifImage::IsAbsurdSize(width, height))
        throw EPictureError(path, TPictureProblem::TooLarge, {}, {QString::number(width), QString::number(height)});
    if (beforeDecoding)
        beforeDecoding(qint64(width) * height);

    heif_image *rawImage = nullptr;
    Check(path, heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB, heif_chroma_interleaved_RGBA,
                                  nullptr));
    std::unique_ptr<heif_image, TImageRelease> image(rawImage);
    int stride = 0;
    const uint8_t *plane = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int outWidth = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int outHeight = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!plane || outWidth <= 0 || outHeight <= 0 || TGifImage::IsAbsurdSize(outWidth, outHeight))
        throw EPictureError(path, TPictureProblem::Damaged);
    // A photo is opaque: its alpha, if any, would only punch holes in a ship.
    QImage copy = QImage(plane, outWidth, outHeight, stride, QImage::Format_RGBA8888)
                      .convertToFormat(QImage::Format_RGB32);
    if (copy.isNull())
        throw EPictureError(path, TPictureProblem::NoMemory);
    return copy;
}
