#include "app/GuideForm.h"

#include "app/AppArt.h"
#include "core/AppInfo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace dedizo {

namespace {

struct Section
{
    QString title;
    QStringList steps;
};

QList<Section> sections()
{
    return {
        {QStringLiteral("录入书刊信息"),
         {QStringLiteral("先给每一册书刊贴好条码标签。"),
          QStringLiteral("在“首页”中点击“录入”，打开书刊录入窗口。"),
          QStringLiteral("扫描或输入书刊的 ISBN，系统自动从网上获取书目信息，核对后补充缺少的内容。"),
          QStringLiteral("添加复本：逐册扫描复本的条码，系统自动生成索书号。"),
          QStringLiteral("保存书刊信息。需要时可在“复本列表”中选择复本打印书标。")}},
        {QStringLiteral("录入读者信息"),
         {QStringLiteral("在“首页”中点击“读者管理”，新增读者并填写姓名、类别等信息。"),
          QStringLiteral("证卡编码即借书证的卡号，可直接输入，也可用读卡器读取。"),
          QStringLiteral("读者照片可从文件载入，也可用摄像头拍摄。")}},
        {QStringLiteral("借出归还续借"),
         {QStringLiteral("在“首页”中点击“借出”、“归还”或“续借”。"),
          QStringLiteral("输入、扫描条码或用读卡器找到读者和书刊。"),
          QStringLiteral("确认后完成借出、归还或续借。")}},
        {QStringLiteral("其它功能提示"),
         {QStringLiteral("条码扫描枪和读卡器都相当于键盘输入，无需任何设置即可使用。"),
          QStringLiteral("按 F9 可随时锁定屏幕。")}},
        {QStringLiteral("基本使用流程"),
         {QStringLiteral("第一步：录入书刊信息及复本。"), QStringLiteral("第二步：录入读者信息。"),
          QStringLiteral("第三步：进行借出、归还、续借等流通操作。")}},
    };
}

QString guideHtml()
{
    QString html = QStringLiteral("<html><body style=\"line-height:140%\">");
    int n = 0;
    for (const Section& s : sections()) {
        html += QStringLiteral("<h3 style=\"color:#123d70\">%1. %2</h3><ol>")
                    .arg(++n)
                    .arg(s.title.toHtmlEscaped());
        for (const QString& step : s.steps)
            html += QStringLiteral("<li>%1</li>").arg(step.toHtmlEscaped());
        html += QStringLiteral("</ol>");
    }
    return html + QStringLiteral("</body></html>");
}

} // namespace

QStringList GuideForm::sectionTitles()
{
    QStringList titles;
    for (const Section& s : sections())
        titles << s.title;
    return titles;
}

GuideForm::GuideForm(bool oem, QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TGuideForm"));
    setWindowTitle(QStringLiteral("快速指南"));
    setModal(false);

    ImgLogo = new QLabel(this);
    ImgLogo->setObjectName(QStringLiteral("ImgLogo"));
    ImgLogo->setPixmap(AppArt::logo(48));
    ImgLogo->setVisible(!oem);
    auto* heading = new QLabel(QStringLiteral("快速指南"), this);
    QFont f = heading->font();
    f.setPointSizeF(f.pointSizeF() * 1.6);
    f.setBold(true);
    heading->setFont(f);
    auto* top = new QHBoxLayout;
    top->addWidget(ImgLogo);
    top->addWidget(heading, 1);

    TxtGuide = new QTextBrowser(this);
    TxtGuide->setObjectName(QStringLiteral("TxtGuide"));
    TxtGuide->setHtml(guideHtml());

    auto* close = new QPushButton(QStringLiteral("关闭(&C)"), this);
    close->setObjectName(QStringLiteral("BtnClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(TxtGuide, 1);
    layout->addLayout(buttons);
    resize(560, 680);
}

} // namespace dedizo
