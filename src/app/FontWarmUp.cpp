#include "app/FontWarmUp.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

TFontWarmUp::TFontWarmUp(const QFont &font)
    : mThread([font] {
          // Runs on its own thread: every font database function is thread-safe.
          QFontDatabase::families();
          QFontMetrics(font).height();
      })
{
}

TFontWarmUp::~TFontWarmUp()
{
    mThread.join();
}
