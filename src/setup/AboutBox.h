#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;

// Product name, version and legal notice of this build.
struct TVersionInfo
{
    QString ProductName;
    QString FileVersion;
    QString LegalCopyright;
    static TVersionInfo FromBuild();
};

// The Info window: what this build is and where its maker is found. It is
// not translated.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    using TOpener = std::function<void(const QString &)>;
    // `open` hands a link's text to the desktop; tests pass their own.
    explicit TAboutBox(QWidget *parent = nullptr, const TVersionInfo &info = TVersionInfo::FromBuild(),
                       TOpener open = {});

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *AddLabel(const char *name, const QString &text);
    QLabel *AddLink(const char *name, const QString &text);

    TOpener mOpen;
    QLabel *mProgramIcon = nullptr;
    QLabel *mLabel2 = nullptr;
    QLabel *mLabel3 = nullptr;
    QLabel *mLabel6 = nullptr;
};
