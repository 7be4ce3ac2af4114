#pragma once

#include <QString>

// Opening a file with the program the desktop associates with it; tests
// replace it to see what would have been opened.
class TDesktopServices
{
public:
    virtual ~TDesktopServices() = default;
    // A failure is not reported: there is nothing the game could do about it.
    virtual void OpenFile(const QString &path) = 0;
};

class TSystemDesktopServices : public TDesktopServices
{
public:
    void OpenFile(const QString &path) override;
};
