#pragma once

#include <QString>

#include <QHash>

#include <array>
#include <cstdint>
#include <memory>

class QTemporaryDir;

class TGamePar;

// The wave file chosen for each of the seven sound cues: the design's own
// Sound<n>.wav, the Default design's, or any file the user picked.
class TSoundFiles
{
public:
    static constexpr int Count = 7;

    TSoundFiles(const TGamePar &design, bool &modified);
    ~TSoundFiles();

    // What the design resolves each cue to.
    void Fill();
    // Cue n = 1..7.
    const QString &File(int n) const { return mFiles.at(Index(n)); }
    void SetFile(int n, const QString &path);
    // Makes the sound file the player chose cue n's. A wave the mixer plays
    // as it is is taken as it is; any other is converted now to 16-bit mono
    // at a rate up to `mixerRate` and kept until the editor closes, and the
    // save writes that. Raises ESoundRefused, changing nothing, for a file
    // that cannot be read or that the design has no room for.
    void Choose(int n, const QString &path, int32_t mixerRate);
    // The wave that plays and is saved for cue n.
    QString PlayableFile(int n) const;
    void SetToDefault(int n);
    QString DefaultFile(int n) const;
    bool IsDefaultFile(int n) const;

    // Copies each chosen file into `dir` as Sound<n>.wav, and deletes that
    // file for a cue set to the Default design's. A copy that fails raises
    // EDesignError: the design would lack a sound the user chose.
    void SaveSounds(const QString &dir) const;

private:
    static std::size_t Index(int n);
    // How long cue n's sound may be; refuses `seconds` beyond what one
    // sound may last or what the other cues leave.
    double AllowedSeconds(int n, const QString &path, double seconds, int32_t mixerRate) const;
    QString KeepConverted(const QByteArray &wave);

    const TGamePar &mDesign;
    bool &mModified;
    std::array<QString, Count> mFiles;
    // Chosen file -> its converted wave, in a folder of the editor's own.
    QHash<QString, QString> mConverted;
    std::unique_ptr<QTemporaryDir> mConvertedDir;
};
