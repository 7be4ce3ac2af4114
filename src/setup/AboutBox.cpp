#include "setup/AboutBox.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

TVersionInfo TVersionInfo::FromBuild()
{
    return {QStringLiteral(SNAPSTORM_PRODUCT), QStringLiteral(SNAPSTORM_VERSION),
            QStringLiteral(SNAPSTORM_COPYRIGHT)};
}

namespace {

void MakeBigBold(QLabel *label)
{
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.6);
    label->setFont(font);
}

} // namespace

TAboutBox::TAboutBox(QWidget *parent, const TVersionInfo &info, TOpener open)
    : QDialog(parent), mOpen(std::move(open))
{
    if (!mOpen)
        mOpen = [](const QString &link) { QDesktopServices::openUrl(QUrl(link)); };
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Info"));
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *grid = new QGridLayout(panel);

    mProgramIcon = AddLabel("ProgramIcon", QString());
    mProgramIcon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    mProgramIcon->setMinimumSize(64, 64);
    mProgramIcon->setAlignment(Qt::AlignCenter);
    mProgramIcon->installEventFilter(this);
    mLabel2 = AddLabel("Label2", QStringLiteral("Autsch !"));
    MakeBigBold(mLabel2);
    mLabel2->setAutoFillBackground(true);
    mLabel2->setStyleSheet(QStringLiteral("background-color: rgb(128, 255, 0);"));
    mLabel2->setAttribute(Qt::WA_TransparentForMouseEvents);
    mLabel2->hide();
    QLabel *product = AddLabel("ProductName", info.ProductName);
    MakeBigBold(product);
    mLabel3 = AddLink("Label3", QStringLiteral(SNAPSTORM_HOMEPAGE));
    mLabel6 = AddLink("Label6", QStringLiteral("mailto:") + QStringLiteral(SNAPSTORM_MAIL));

    grid->addWidget(mProgramIcon, 0, 0, 1, 2);
    // Over the icon, so showing it never resizes the window.
    grid->addWidget(mLabel2, 0, 0, 1, 2, Qt::AlignCenter);
    grid->addWidget(product, 1, 0, 1, 2, Qt::AlignCenter);
    grid->addWidget(AddLabel("Label1", QStringLiteral("Version:")), 2, 0);
    grid->addWidget(AddLabel("Version", info.FileVersion), 2, 1);
    grid->addWidget(AddLabel("Copyright", info.LegalCopyright), 3, 0, 1, 2);
    grid->addWidget(AddLabel("Label5", QStringLiteral("E-Mail:")), 4, 0);
    grid->addWidget(mLabel6, 4, 1);
    grid->addWidget(AddLabel("Label4", QStringLiteral("Internet:")), 5, 0);
    grid->addWidget(mLabel3, 5, 1);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLabel *TAboutBox::AddLabel(const char *name, const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLabel *TAboutBox::AddLink(const char *name, const QString &text)
{
    QLabel *label = AddLabel(name, text);
    label->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    return label;
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mProgramIcon && event->type() == QEvent::MouseButtonPress)
        mLabel2->show();
    else if (watched == mProgramIcon && event->type() == QEvent::MouseButtonRelease)
        mLabel2->hide();
    else if ((watched == mLabel3 || watched == mLabel6) && event->type() == QEvent::MouseButtonRelease)
        mOpen(static_cast<QLabel *>(watched)->text());
    return QDialog::eventFilter(watched, event);
}
