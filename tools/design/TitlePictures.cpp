#include "TitlePictures.h"

#include "design/TitleContrast.h"

void WriteTitles(const QString &dir, int clientHeight, std::array<TGifFrames, 3> titles)
{
    const int textTop = TTitleContrast::TextTop(clientHeight);
    int top = 0;
    for (int n = 0; n < 3; ++n) {
        // The editor's "Make title" brings a player's titles round by the same rule.
        for (QImage &frame : titles[n].Frames)
            TTitleContrast::MakeReadable(frame, textTop - top);
        top += titles[n].Frames.front().height();
        WriteGif(dir + QStringLiteral("Image%1.gif").arg(10 + n), titles[n]);
    }
}
