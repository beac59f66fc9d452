#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace dedizo {

// What the About window shows.
struct AboutInfo
{
    QString title;       // application title
    QString versionText; // the version and the executable's date as YYMMDD
    QString corpName;    // the library (Par_tab.CorpName)
    QString supportLine; // "技术支持：..."
    QString webAddress;
    bool oem = false;

    // From the running program: Config.ini (OEM), Par_tab and the executable file.
    static AboutInfo current();
    // "5.21.1.513.YYMMDD" for an executable modified on `fileDate`.
    static QString versionWithDate(const QDate& fileDate);
};

// The About window "关于" (modal).
class AboutForm : public QDialog
{
    Q_OBJECT
public:
    explicit AboutForm(const AboutInfo& info, QWidget* parent = nullptr);

    // The program's system information tool, empty when none is installed.
    static QString systemInfoProgram();

    QLabel* ImgIcon = nullptr;
    QLabel* LblName = nullptr;
    QLabel* LblVersion = nullptr;
    QLabel* LblCorpName = nullptr;
    QLabel* LblSupport = nullptr;
    QLabel* LblWebAddress = nullptr;
    QPushButton* BtnSysInfo = nullptr;
    QPushButton* BtnClose = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_webAddress;
};

// Shows the About window modally.
void showAboutWindow(QWidget* parent);

} // namespace dedizo
