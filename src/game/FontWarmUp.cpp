#include "FontWarmUp.h"

#include "MainForm.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

TFontWarmUp::TFontWarmUp()
    : mThread([] {
          // Runs on its own thread: every font database function is thread-safe.
          QFontDatabase::families();
          // The game font's substitutes are looked up once and kept for all threads.
          QFontMetrics(TMainForm::GameFont()).height();
      })
{
}

TFontWarmUp::~TFontWarmUp()
{
    mThread.join();
}
