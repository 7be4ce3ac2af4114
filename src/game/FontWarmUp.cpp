#include "FontWarmUp.h"

#include <QFontDatabase>
#include <QStringList>

TFontWarmUp::TFontWarmUp()
    : mThread([] {
          // Runs on its own thread: every font database function is thread-safe.
          QFontDatabase::families();
      })
{
}

TFontWarmUp::~TFontWarmUp()
{
    mThread.join();
}
