#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

// Why a picture file could not be read, so that the player can be told in
// their own language.
enum class TPictureProblem {
    Other,       // only the English message says
    Missing,     // the file does not exist
    NotAFile,    // a folder or device
    Unreadable,  // it could not be opened or read: Detail says why
    Damaged,     // not a picture of its kind, or cut short: Detail may say more
    TooLarge,    // Args: width, height
    UnknownKind, // Args: the extension
    Metafile,    // .emf, .wmf
    NoMemory,
};

// A picture file that is missing, damaged, of an unknown kind, too large,
// or cannot be written. what() is English; Problem, Args and Path let the
// window say the same in the player's language.
class EPictureError : public std::runtime_error
{
public:
    explicit EPictureError(const QString &message) : std::runtime_error(message.toStdString()) {}
    EPictureError(const QString &path, TPictureProblem problem, const QString &detail = {},
                  const QStringList &args = {});

    const QString &Path() const { return mPath; }
    TPictureProblem Problem() const { return mProblem; }
    // What a library said, in its own words; may be empty.
    const QString &Detail() const { return mDetail; }
    const QStringList &Args() const { return mArgs; }

    // The reason in English, as what() has it after the file's name.
    static QString EnglishReason(TPictureProblem problem, const QString &detail, const QStringList &args);
    // The message key of the reason in the language files.
    static QString ReasonKey(TPictureProblem problem);

private:
    QString mPath;
    TPictureProblem mProblem = TPictureProblem::Other;
    QString mDetail;
    QStringList mArgs;
};
