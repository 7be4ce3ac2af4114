#include "sprites/PictureError.h"

namespace {

QString Filled(QString text, const QStringList &args)
{
    for (const QString &arg : args)
        text = text.arg(arg);
    return text;
}

} // namespace

EPictureError::EPictureError(const QString &path, TPictureProblem problem, const QString &detail,
                             const QStringList &args)
    : std::runtime_error(QStringLiteral("Cannot load the picture \"%1\": %2.")
                             .arg(path, EnglishReason(problem, detail, args))
                             .toStdString()),
      mPath(path), mProblem(problem), mDetail(detail), mArgs(args)
{
}

QString EPictureError::EnglishReason(TPictureProblem problem, const QString &detail, const QStringList &args)
{
    QString reason;
    switch (problem) {
    case TPictureProblem::Missing: reason = QStringLiteral("the file does not exist"); break;
    case TPictureProblem::NotAFile: reason = QStringLiteral("it is not a file"); break;
    case TPictureProblem::Unreadable: reason = QStringLiteral("the file cannot be read"); break;
    case TPictureProblem::Damaged: reason = QStringLiteral("it is damaged or not a picture of its kind"); break;
    case TPictureProblem::TooLarge: reason = QStringLiteral("its size of %1 x %2 pixels is too large"); break;
    case TPictureProblem::UnknownKind: reason = QStringLiteral("pictures of the kind \".%1\" are not supported"); break;
    case TPictureProblem::Metafile:
        reason = QStringLiteral("metafiles are not supported; please convert it to a bitmap, GIF or JPEG picture first");
        break;
    case TPictureProblem::NoMemory: reason = QStringLiteral("there is not enough memory"); break;
    case TPictureProblem::Other: break;
    }
    reason = Filled(reason, args);
    if (detail.isEmpty())
        return reason;
    return reason.isEmpty() ? detail : reason + QStringLiteral(" (") + detail + QLatin1Char(')');
}

QString EPictureError::ReasonKey(TPictureProblem problem)
{
    switch (problem) {
    case TPictureProblem::Missing: return QStringLiteral("PictureMissing");
    case TPictureProblem::NotAFile: return QStringLiteral("PictureNotAFile");
    case TPictureProblem::Unreadable: return QStringLiteral("PictureUnreadable");
    case TPictureProblem::Damaged: return QStringLiteral("PictureDamaged");
    case TPictureProblem::TooLarge: return QStringLiteral("PictureTooLarge");
    case TPictureProblem::UnknownKind: return QStringLiteral("PictureUnknownKind");
    case TPictureProblem::Metafile: return QStringLiteral("PictureMetafile");
    case TPictureProblem::NoMemory: return QStringLiteral("PictureNoMemory");
    case TPictureProblem::Other: break;
    }
    return {};
}
