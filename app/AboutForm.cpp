#include "app/AboutForm.h"

#include "app/AppArt.h"
#include "app/Supplier.h"
#include "core/AppInfo.h"
#include "core/AppPaths.h"
#include "core/ConfigManager.h"
#include "core/DataModule.h"
#include "core/ParManager.h"
#include "core/ui/DesktopTools.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

namespace dedizo {

namespace {

void setTextColor(QLabel* label, const QColor& color)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
}

} // namespace

QString AboutInfo::versionWithDate(const QDate& fileDate)
{
    return AppInfo::version() + QLatin1Char('.') + fileDate.toString(QStringLiteral("yyMMdd"));
}

AboutInfo AboutInfo::current()
{
    AboutInfo info;
    info.title = AppInfo::title();
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    info.versionText = versionWithDate(exe.lastModified().date());
    info.corpName = QStringLiteral("<使用单位名称未设置>");
    if (DataModule::hasInstance() && DataModule::instance().isConnected()) {
        try {
            info.corpName = ParManager(DataModule::instance().connection()).CorpName();
        } catch (...) {
            // The About window opens even when the parameters cannot be read.
        }
    }
    const ConfigManager config(AppPaths::configFile());
    info.oem = config.isOEM();
    if (info.oem) {
        info.supportLine = QStringLiteral("技术支持：") +
                           config.ReadString(QStringLiteral("OEM"), QStringLiteral("CorpName"), QString());
        info.webAddress = config.ReadString(QStringLiteral("OEM"), QStringLiteral("OfficialWeb"), QString());
    } else {
        info.supportLine = QStringLiteral("技术支持：") + Supplier::name();
        info.webAddress = Supplier::webAddress();
    }
    return info;
}

QString AboutForm::systemInfoProgram()
{
    for (const char* name : {"hardinfo", "kinfocenter", "gnome-system-monitor", "mate-system-monitor",
                             "xfce4-taskmanager", "lxtask"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

AboutForm::AboutForm(const AboutInfo& info, QWidget* parent) : QDialog(parent), m_webAddress(info.webAddress)
{
    setObjectName(QStringLiteral("TAboutForm"));
    setWindowTitle(QStringLiteral("关于"));
    setModal(true);
    setWindowIcon(AppArt::appIcon());

    ImgIcon = new QLabel(this);
    ImgIcon->setObjectName(QStringLiteral("ImgIcon"));
    ImgIcon->setPixmap(AppArt::logo(64));
    ImgIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto label = [this](const QString& name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return l;
    };
    LblName = label(QStringLiteral("LblName"), QStringLiteral("软件名称：") + info.title);
    QFont bold = LblName->font();
    bold.setBold(true);
    LblName->setFont(bold);
    LblVersion = label(QStringLiteral("LblVersion"), QStringLiteral("软件版本：") + info.versionText);
    LblCorpName = label(QStringLiteral("LblCorpName"), QStringLiteral("使用单位：") + info.corpName);
    LblSupport = label(QStringLiteral("LblSupport"), info.supportLine);
    LblWebAddress = new QLabel(info.webAddress, this);
    LblWebAddress->setObjectName(QStringLiteral("LblWebAddress"));
    LblWebAddress->setCursor(Qt::PointingHandCursor);
    LblWebAddress->installEventFilter(this);
    setTextColor(LblWebAddress, QColor(0, 0, 192));
    LblWebAddress->setVisible(!info.webAddress.isEmpty());

    auto* texts = new QVBoxLayout;
    texts->addWidget(LblName);
    texts->addWidget(LblVersion);
    texts->addWidget(LblCorpName);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    texts->addWidget(line);
    texts->addWidget(LblSupport);
    texts->addWidget(LblWebAddress);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(ImgIcon);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    BtnSysInfo = new QPushButton(QStringLiteral("系统信息(&S)"), this);
    BtnSysInfo->setObjectName(QStringLiteral("BtnSysInfo"));
    BtnSysInfo->setAutoDefault(false);
    BtnSysInfo->setEnabled(!systemInfoProgram().isEmpty());
    connect(BtnSysInfo, &QPushButton::clicked, this, [] {
        const QString program = systemInfoProgram();
        if (!program.isEmpty())
            QProcess::startDetached(program, {});
    });
    BtnClose = new QPushButton(QStringLiteral("关闭退出(&C)"), this);
    BtnClose->setObjectName(QStringLiteral("BtnClose"));
    BtnClose->setDefault(true);
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnSysInfo);
    buttons->addWidget(BtnClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 12);
    layout->addLayout(top);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

void showAboutWindow(QWidget* parent)
{
    AboutForm form(AboutInfo::current(), parent);
    form.exec();
}

bool AboutForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LblWebAddress) {
        switch (event->type()) {
        case QEvent::Enter:
            setTextColor(LblWebAddress, Qt::red);
            break;
        case QEvent::Leave:
            setTextColor(LblWebAddress, QColor(0, 0, 192));
            break;
        case QEvent::MouseButtonRelease:
            openSupplierSite();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace dedizo
