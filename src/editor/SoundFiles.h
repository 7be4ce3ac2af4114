#pragma once

#include <QString>

#include <array>

class TGamePar;

// The wave file chosen for each of the seven sound cues: the design's own
// Sound<n>.wav, the Default design's, or any file the user picked.
class TSoundFiles
{
public:
    static constexpr int Count = 7;

    TSoundFiles(const TGamePar &design, bool &modified) : mDesign(design), mModified(modified) {}

    // What the design resolves each cue to.
    void Fill();
    // Cue n = 1..7.
    const QString &File(int n) const { return mFiles.at(Index(n)); }
    void SetFile(int n, const QString &path);
    void SetToDefault(int n);
    QString DefaultFile(int n) const;
    bool IsDefaultFile(int n) const;

    // Copies each chosen file into `dir` as Sound<n>.wav, and deletes that
    // file for a cue set to the Default design's. A copy that fails raises
    // EDesignError: the design would lack a sound the user chose.
    void SaveSounds(const QString &dir) const;

private:
    static std::size_t Index(int n);

    const TGamePar &mDesign;
    bool &mModified;
    std::array<QString, Count> mFiles;
};
