#include "app/SplashForm.h"

#include "app/AppArt.h"
#include "core/AppInfo.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

namespace dedizo {

SplashForm::SplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TSplashForm"));
    setFixedSize(450, 250);
    ImgSplash = new QLabel(this);
    ImgSplash->setObjectName(QStringLiteral("ImgSplash"));
    ImgSplash->setGeometry(0, 0, 450, 250);
    ImgSplash->setScaledContents(true);
    ImgSplash->setPixmap(
        AppArt::fromWorkingFolder(QStringLiteral("Splash.bmp"), AppArt::splash(AppInfo::title())));
    LblProgress = new QLabel(this);
    LblProgress->setObjectName(QStringLiteral("LblProgress"));
    LblProgress->setGeometry(28, 208, 400, 24);
    QPalette pal = LblProgress->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    LblProgress->setPalette(pal);
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    showProgress(QStringLiteral("正在初始化"));
}

void SplashForm::showProgress(const QString& text)
{
    LblProgress->setText(text + QStringLiteral(" ..."));
    if (isVisible())
        LblProgress->repaint();
}

} // namespace dedizo
