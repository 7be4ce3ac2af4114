#pragma once

#include "design/DesignFixture.h"

#include "base/KeyValueList.h"
#include "editor/DesignEditor.h"
#include "editor/EditorPrompts.h"
#include "lang/MessageLookup.h"
#include "sound/WaveBytes.h"

#include <QDirIterator>

#include <gtest/gtest.h>

#include <deque>
#include <map>

// Answers the editor's questions from queues and records what it was told.
class TFakePrompts : public TEditorPrompts
{
public:
    std::deque<TAnswer> Answers;
    std::deque<std::optional<QString>> Designs;
    std::deque<std::optional<QString>> Texts;
    QStringList Pictures;
    QString Sound;
    QString Archive;
    QList<QStringList> ArchiveRequests;
    QStringList Messages, Questions;

    void Message(const QString &text) override { Messages.append(text); }
    TAnswer Question(const QString &text) override
    {
        Questions.append(text);
        return Take(Answers, TAnswer::Cancel);
    }
    bool Ask(const QString &text) override
    {
        Questions.append(text);
        return Take(Answers, TAnswer::No) == TAnswer::Yes;
    }
    std::optional<QString> ChooseDesign(const QString &, bool) override { return Take(Designs, {}); }
    std::optional<QString> AskText(const QString &, const QString &) override { return Take(Texts, {}); }
    QStringList ChoosePictures(const QString &, bool) override { return Pictures; }
    QString ChooseSound(const QString &, const QString &) override { return Sound; }
    std::optional<QColor> ChooseColor(const QColor &) override { return std::nullopt; }
    QString ChooseArchive(const QString &startDir, const QString &proposed, bool forSaving) override
    {
        ArchiveRequests.append(QStringList{startDir, proposed, forSaving ? "save" : "open"});
        return Archive;
    }

private:
    template <typename T>
    static T Take(std::deque<T> &queue, T fallback)
    {
        if (queue.empty())
            return fallback;
        T front = queue.front();
        queue.pop_front();
        return front;
    }
};

// A saved design "Garden" with two photos, an own sound and a title picture.
inline void MakeGarden(const TDesignRoot &root)
{
    TDesignRoot::WriteText(root.Dir("Garden") + "!design.ini", "PhotoCount=2\r\nAuthor=Ann\r\n");
    TDesignRoot::WriteBmp(root.Dir("Garden") + "Photo_1.bmp", 40, 30);
    TDesignRoot::WriteBmp(root.Dir("Garden") + "Photo_2.bmp", 50, 30);
    TDesignRoot::WriteText(root.Dir("Garden") + "Sound3.wav", "garden sound");
    TDesignRoot::WriteGif(root.Dir("Garden") + "Image10.gif", 30, 10, 2);
}

// A design root with Default and an editor on it; message texts are their keys.
class EditorTest : public ::testing::Test
{
protected:
    EditorTest() { Root.MakeDefault(); }

    // Every file under the design root with its bytes, hidden folders included.
    std::map<QString, QByteArray> Snapshot() const
    {
        std::map<QString, QByteArray> files;
        QDirIterator it(Root.Root(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            files[path.mid(Root.Root().size())] = f.readAll();
        }
        return files;
    }

    QString Outside(const QString &name) const { return Scratch.File(name); }
    // A short plain wave outside the design root, which the mixer plays as it is.
    QString OutsideWave(const QString &name, char level = 0) const
    {
        return Scratch.Write(name, WaveBytes::Wav(1, 11025, 16, QByteArray(2000, level)));
    }

    TDesignRoot Root;
    TempDir Scratch;
    TFakePrompts Prompts;
    // The language file the editor speaks; a test may change it.
    QString LanguageFile;
    TMessageLookup Messages = [this](const QString &key) { return LanguageFileMessages(LanguageFile)(key); };
    TKeyValueList Settings;
    TDesignEditor Editor{Prompts, Messages, Settings, Root.Root()};
};
