#pragma once

#include <QWidget>

class QLabel;

namespace dedizo {

// The splash window of the start-up: borderless, centred, 450 × 250, with a
// progress line.
class SplashForm : public QWidget
{
    Q_OBJECT
public:
    explicit SplashForm(QWidget* parent = nullptr);

    // Shows "<text> ..." and repaints at once.
    void showProgress(const QString& text);

    QLabel* ImgSplash = nullptr;
    QLabel* LblProgress = nullptr;
};

} // namespace dedizo
