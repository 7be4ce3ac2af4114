#include "base/FolderIndex.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(FolderIndex, FindsAnyCasePrefersExactThenFirstSpellingAndListsOnce)
{
    TempDir dir;
    dir.Write("IMAGE3.GIF", "a");
    dir.Write("photo_1.bmp", "b");
    dir.Write("Photo_1.BMP", "c");
    dir.Write("PHOTO_1.bmp", "d");
    const TFolderIndex index(dir.Path());
    EXPECT_EQ(index.Find("Image3.gif"), dir.File("IMAGE3.GIF"));
    EXPECT_EQ(index.Find("photo_1.bmp"), dir.File("photo_1.bmp"));
    // No exact match: the same spelling whatever order the folder lists them in.
    EXPECT_EQ(index.Find("Photo_1.bmp"), dir.File("PHOTO_1.bmp"));
    EXPECT_EQ(index.Find("Sound1.wav"), "");
    EXPECT_EQ(index.Resolve("Sound1.wav"), dir.File("Sound1.wav"));

    // Read once: later files are not seen until the folder is listed again.
    dir.Write("Sound1.wav", "e");
    EXPECT_EQ(index.Find("sound1.WAV"), "");
    EXPECT_EQ(TFolderIndex(dir.Path()).Find("sound1.WAV"), dir.File("Sound1.wav"));
}
