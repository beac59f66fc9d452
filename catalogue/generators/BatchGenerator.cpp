#include "catalogue/generators/BatchGenerator.h"

#include "core/Dataset.h"
#include "core/ProgressService.h"
#include "core/Prompts.h"

namespace dedizo {

namespace {

class DecliningHost final : public GeneratorHost
{
public:
    bool confirm(const QString&, const QString&, bool&) override { return false; }
};

DecliningHost g_declining;
GeneratorHost* g_host = &g_declining;

} // namespace

GeneratorHost& generatorHost()
{
    return *g_host;
}

GeneratorHost* setGeneratorHost(GeneratorHost* host)
{
    GeneratorHost* previous = g_host;
    g_host = host ? host : &g_declining;
    return previous;
}

QString BatchGenerator::resultText(const QString& caption, int count)
{
    return QStringLiteral("%1：%2 条记录进行了此操作。").arg(caption).arg(count);
}

QString BatchGenerator::progressTitle() const
{
    return QStringLiteral("正在%1...").arg(Caption());
}

bool BatchGenerator::Execute(GeneratorHost& host)
{
    bool reGenAll = true;
    if (!host.confirm(Caption(), Description(), reGenAll))
        return false;
    m_reGenAll = reGenAll;

    host.beginBusy();
    try {
        Generate();
        if (Dataset* ds = GetDataSet(); ds && ds->isOpen())
            ds->refresh();
        // The generators set Max one above their records: this closes the display.
        progressService().StepIt();
    } catch (...) {
        // A failed run must not leave the display open with its stop button.
        ProgressService& p = progressService();
        if (p.isShown())
            p.stop();
        host.endBusy();
        throw;
    }
    host.endBusy();
    ShowInfo(resultText(Caption(), m_genCount));
    return true;
}

} // namespace dedizo
