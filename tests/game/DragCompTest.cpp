#include "game/DragComp.h"

#include <QWidget>

#include <gtest/gtest.h>

TEST(DragComp, ExtensionsAreThreeCharacterUpperCasePiecesSorted)
{
    QWidget form;
    TDragComp drag(&form);
    const std::pair<QString, QString> cases[] = {
        {"zip", "ZIP"}, {"JS,ZIP", "JS,ZIP"}, {"ZIP,JS", "JS,ZIP"}, {"zip,bmp", "BMP,ZIP"},
        {"ZIP, BMP", " BM,P,ZIP"}, {"JPEG", "G,JPE"}, {"zip,ZIP,,", "ZIP"}, {"", ""},
    };
    for (const auto &[text, readBack] : cases) {
        drag.SetExtensions(text);
        EXPECT_EQ(drag.Extensions(), readBack) << text.toStdString();
    }
}

TEST(DragComp, DropKeepsAcceptedFilesInOrderAndFiresOnlyForThem)
{
    QWidget form;
    TDragComp drag(&form);
    drag.SetExtensions("ZIP");
    int fired = 0;
    drag.OnDropFiles = [&](TDragComp &) { ++fired; };

    drag.HandleDrop({"/d/notes.txt", "/d/Sea.ZIP", "/d/x.zipx", "/d/y.Zipper", "/d/zip"});
    EXPECT_EQ(drag.DroppedFiles(), (QStringList{"/d/Sea.ZIP", "/d/x.zipx", "/d/y.Zipper"}));
    EXPECT_EQ(fired, 1);

    drag.HandleDrop({"/d/notes.txt"});
    EXPECT_TRUE(drag.DroppedFiles().isEmpty());
    EXPECT_EQ(fired, 1);

    drag.SetExtensions(QString());
    drag.HandleDrop({"/d/notes.txt"});
    EXPECT_EQ(fired, 2);

    EXPECT_TRUE(form.acceptDrops());
    drag.SetDragDisable(true);
    EXPECT_FALSE(form.acceptDrops());
}
