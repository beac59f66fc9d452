#pragma once

#include <QDialog>

class QLabel;
class QTextBrowser;

namespace dedizo {

// The quick start window "快速指南": not modal, always on top, five fixed
// sections of guide text. One instance, created on first use and reused.
class GuideForm : public QDialog
{
    Q_OBJECT
public:
    explicit GuideForm(bool oem, QWidget* parent = nullptr);

    // The section titles in order.
    static QStringList sectionTitles();

    QLabel* ImgLogo = nullptr;
    QTextBrowser* TxtGuide = nullptr;
};

} // namespace dedizo
