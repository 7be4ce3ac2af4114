// JPEG pictures go through libjpeg itself; its errors come back by
// longjmp, so nothing with a destructor is created between setjmp and the
// end of the decoding.
#include "sprites/PictureReader.h"

#include "gif/GifImage.h"
#include "sprites/ExifOrientation.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

namespace {

struct TJpegErrors
{
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
    bool EndedEarly;
};

// Real progressive files have about ten scans; thousands of repeated scans
// would keep the decoder busy for seconds.
constexpr int MaxScans = 100;

struct TScanLimit
{
    jpeg_progress_mgr Manager;
    TJpegErrors *Errors;
};

void OnProgress(j_common_ptr info)
{
    auto *decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number <= MaxScans)
        return;
    auto *limit = reinterpret_cast<TScanLimit *>(info->progress);
    std::snprintf(limit->Errors->Message, sizeof limit->Errors->Message,
                  "it holds more than %d scans", MaxScans);
    std::longjmp(limit->Errors->Jump, 1);
}

void OnError(j_common_ptr info)
{
    auto *errors = reinterpret_cast<TJpegErrors *>(info->err);
    info->err->format_message(info, errors->Message);
    std::longjmp(errors->Jump, 1);
}

void OnMessage(j_common_ptr info, int level)
{
    // Warnings are harmless except a file that stops in the middle.
    auto *errors = reinterpret_cast<TJpegErrors *>(info->err);
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        errors->EndedEarly = true;
}

void ToRgb32(const JSAMPLE *row, int width, int components, bool cmyk, QRgb *out)
{
    for (int x = 0; x < width; ++x, row += components) {
        if (cmyk) {
            // Photo programs store CMYK inverted.
            const int k = row[3];
            out[x] = qRgb(row[0] * k / 255, row[1] * k / 255, row[2] * k / 255);
        } else if (components == 1) {
            out[x] = qRgb(row[0], row[0], row[0]);
        } else {
            out[x] = qRgb(row[0], row[1], row[2]);
        }
    }
}

// The orientation in the first EXIF segment libjpeg kept.
int OrientationOf(const jpeg_decompress_struct &info)
{
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker; marker = marker->next) {
        if (marker->marker != JPEG_APP0 + 1)
            continue;
        const QByteArray segment(reinterpret_cast<const char *>(marker->data), int(marker->data_length));
        if (segment.startsWith(QByteArrayLiteral("Exif\0\0")))
            return ExifOrientation::FromJpegSegment(segment);
    }
    return 1;
}

struct TJpegResult
{
    QString Problem;     // empty on success
    bool TooLarge = false;
    int Orientation = 1;
};

TJpegResult Decode(const QByteArray &bytes, QImage &image, QByteArray &rowBuffer,
                   const TDeclaredPixelsCheck &beforeDecoding)
{
    TJpegResult result;
    jpeg_decompress_struct info;
    TJpegErrors errors;
    std::memset(&info, 0, sizeof info);
    info.err = jpeg_std_error(&errors.Manager);
    errors.Manager.error_exit = OnError;
    errors.Manager.emit_message = OnMessage;
    errors.Message[0] = '\0';
    errors.EndedEarly = false;
    TScanLimit scanLimit;
    std::memset(&scanLimit, 0, sizeof scanLimit);
    scanLimit.Manager.progress_monitor = OnProgress;
    scanLimit.Errors = &errors;

    volatile int orientation = 1;
    if (setjmp(errors.Jump)) {
        jpeg_destroy_decompress(&info);
        result.Problem = QString::fromLatin1(errors.Message);
        return result;
    }
    jpeg_create_decompress(&info);
    info.progress = &scanLimit.Manager;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    // Only the EXIF segment is kept, and only for its orientation.
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    if (TGifImage::IsAbsurdSize(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        result.TooLarge = true;
        result.Problem = QStringLiteral("%1 x %2").arg(info.image_width).arg(info.image_height);
        return result;
    }
    if (beforeDecoding) {
        try {
            beforeDecoding(qint64(info.image_width) * info.image_height);
        } catch (...) {
            jpeg_destroy_decompress(&info);
            throw;
        }
    }
    // Kept apart from `result`, which must not change before a longjmp.
    orientation = OrientationOf(info);
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : (info.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB);
    jpeg_start_decompress(&info);

    const int width = int(info.output_width);
    const int height = int(info.output_height);
    const int components = info.output_components;
    image = QImage(width, height, QImage::Format_RGB32);
    rowBuffer.resize(qint64(width) * components);
    if (image.isNull() || rowBuffer.size() != qint64(width) * components) {
        jpeg_destroy_decompress(&info);
        result.Problem = QStringLiteral("there is not enough memory");
        return result;
    }
    auto *row = reinterpret_cast<JSAMPLE *>(rowBuffer.data());
    while (info.output_scanline < info.output_height) {
        const int y = int(info.output_scanline);
        jpeg_read_scanlines(&info, &row, 1);
        ToRgb32(row, width, components, cmyk, reinterpret_cast<QRgb *>(image.scanLine(y)));
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (errors.EndedEarly)
        result.Problem = QStringLiteral("the data ends too soon");
    result.Orientation = orientation;
    return result;
}

} // namespace

QImage ReadJpegFile(const QString &path, const TDeclaredPixelsCheck &beforeDecoding)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!file.exists())
            throw EPictureError(path, TPictureProblem::Missing);
        throw EPictureError(path, TPictureProblem::Unreadable, file.errorString());
    }
    constexpr qint64 maxFileSize = 512LL * 1024 * 1024;
    if (file.size() > maxFileSize)
        throw EPictureError(path, TPictureProblem::Unreadable, QStringLiteral("the file is too large"));
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        throw EPictureError(path, TPictureProblem::Damaged, QStringLiteral("the file is empty"));

    QImage image;
    QByteArray rowBuffer;
    const TJpegResult result = Decode(bytes, image, rowBuffer, beforeDecoding);
    if (result.TooLarge)
        throw EPictureError(path, TPictureProblem::TooLarge, {}, result.Problem.split(QStringLiteral(" x ")));
    if (!result.Problem.isEmpty())
        throw EPictureError(path, TPictureProblem::Damaged, result.Problem);
    return ExifOrientation::Upright(image, result.Orientation);
}
