// Grabs the confirmation window "批量生成" of two generators to PNG files.
#include "catalogue/generators/BookCodeGenerator.h"
#include "catalogue/generators/InputCodeGenerators.h"
#include "catalogue/generators/ui/BatchGenerateForm.h"

#include <QApplication>
#include <QDir>
#include <QRadioButton>
#include <cstdio>

using namespace dedizo;

namespace {

bool shoot(const BatchGenerator& g, bool reGenAll, const QString& path)
{
    BatchGenerateForm form(g.Caption(), g.Description());
    form.setReGenAll(reGenAll);
    form.show();
    QApplication::processEvents();
    const bool ok = form.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots-generators");
    QDir().mkpath(dir);
    bool ok = shoot(PublisherInputCodeGenerator(), true, dir + QStringLiteral("/batch-generate.png"));
    ok &= shoot(BookCodeGenerator(), false, dir + QStringLiteral("/batch-generate-callnumbers.png"));
    return ok ? 0 : 1;
}
