#include "EditorFixture.h"

#include "design/DesignFolder.h"
#include "sound/WaveFile.h"

#include <QFile>

namespace {

class SoundChoiceTest : public EditorTest
{
protected:
    SoundChoiceTest()
    {
        Editor.Load("");
        Editor.SetMixerRate(22050);
    }

    // What "load" on cue n says about `file`; empty when it was taken.
    QString Refusal(int n, const QString &file)
    {
        Prompts.Sound = file;
        try {
            Editor.LoadSound(n);
        } catch (const EDesignError &e) {
            return QString::fromUtf8(e.what());
        }
        return {};
    }
};

TEST_F(SoundChoiceTest, AFloatWaveIsConvertedAtLoadAndSavedAsPlain16BitMono)
{
    // 32-bit float stereo at 48 kHz, as a sound editor writes it.
    QByteArray data;
    for (int i = 0; i < 4800; ++i)
        for (const float v : {0.25f, -0.25f})
            data.append(reinterpret_cast<const char *>(&v), 4);
    const QString chosen = Scratch.Write("bell.wav", WaveBytes::Riff(WaveBytes::Fmt(2, 48000, 32, 3)
                                                                     + WaveBytes::Chunk("data", data)));
    ASSERT_EQ(Refusal(4, chosen), "");
    EXPECT_EQ(Editor.Sounds().File(4), chosen); // the player's own name stays in view
    EXPECT_TRUE(Editor.Modified());

    Prompts.Designs = {QString("Bells")};
    ASSERT_TRUE(Editor.SaveAs());
    TPcmFormat output;
    const auto wave = LoadWaveFile(Root.Dir("Bells") + "Sound4.wav", output);
    EXPECT_EQ(wave->Format.FormatTag, 1);
    EXPECT_EQ(wave->Format.BitsPerSample, 16);
    EXPECT_EQ(wave->Format.Channels, 1);
    EXPECT_EQ(wave->Format.SamplesPerSec, 22050u);
    EXPECT_NEAR(wave->Length, 1102, 20); // 0.1 s at the default 11025 Hz output
}

TEST_F(SoundChoiceTest, AnUnreadableSoundIsRefusedAtLoadNamingItInThePlayersLanguage)
{
    const QString notes = Scratch.Write("notes.mp3", "shopping list, not a sound");
    const QString before = Editor.Sounds().File(2);
    const auto snapshot = Snapshot();

    LanguageFile = QStringLiteral(SNAPSTORM_BIN_DIR "/english.lng");
    EXPECT_EQ(Refusal(2, notes), QString("The sound \"%1\" cannot be used: it is not a sound file Snapstorm can "
                                         "read (WAV, FLAC, Ogg Vorbis or MP3).").arg(notes));
    LanguageFile = QStringLiteral(SNAPSTORM_BIN_DIR "/deutsch.lng");
    EXPECT_EQ(Refusal(2, notes), QString("Der Klang „%1“ kann nicht verwendet werden: Die Datei ist keine "
                                         "Klangdatei, die Snapstorm lesen kann (WAV, FLAC, Ogg Vorbis oder MP3).")
                                     .arg(notes));
    EXPECT_EQ(Refusal(2, Outside("gone.wav")),
              QString("Der Klang „%1“ kann nicht verwendet werden: Die Datei lässt sich nicht öffnen.")
                  .arg(Outside("gone.wav")));

    EXPECT_EQ(Editor.Sounds().File(2), before);
    EXPECT_FALSE(Editor.Modified());
    EXPECT_FALSE(Editor.History().Stack().canUndo());
    EXPECT_EQ(Snapshot(), snapshot);
}

TEST_F(SoundChoiceTest, ASoundLongerThanTheDesignHoldsIsRefusedWithItsLengthAndTheLimit)
{
    // Thirteen minutes at 8 kHz, unsigned 8-bit: one sound may last 12:41 on a 44.1 kHz mixer.
    Editor.SetMixerRate(44100);
    const QString song = Scratch.Write("song.wav", WaveBytes::Wav(1, 8000, 8, QByteArray(8000 * 780, char(128))));
    LanguageFile = QStringLiteral(SNAPSTORM_BIN_DIR "/english.lng");
    EXPECT_EQ(Refusal(7, song),
              QString("The sound \"%1\" cannot be used: it lasts 13:00, and one sound may last 12:41 at most.")
                  .arg(song));
    EXPECT_FALSE(Editor.Modified());
}

} // namespace
