#pragma once

#include <QString>

namespace dedizo {

class Dataset;

// What a generator's run needs from the user interface: the confirmation
// window and the busy state of the window the run was started from. The
// window library supplies the real one; tests script it.
class GeneratorHost
{
public:
    virtual ~GeneratorHost() = default;
    // Shows the confirmation for `caption`/`description`; `reGenAll` comes in
    // as the preset option and goes out as the chosen one. False when cancelled.
    virtual bool confirm(const QString& caption, const QString& description, bool& reGenAll) = 0;
    // Around the work: the wait cursor and the calling window disabled.
    virtual void beginBusy() {}
    // Called after the work, also when it failed.
    virtual void endBusy() {}
};

// The process-wide host; until the program installs its window host nobody
// can confirm, so a run is declined.
GeneratorHost& generatorHost();
// Installs `host` (not owned) and returns the previous one; nullptr restores the default.
GeneratorHost* setGeneratorHost(GeneratorHost* host);

// Base of the batch generators: each fills or repairs one column over a
// whole table, driving the progress service, after the user confirmed.
class BatchGenerator
{
public:
    BatchGenerator() = default;
    virtual ~BatchGenerator() = default;
    BatchGenerator(const BatchGenerator&) = delete;
    BatchGenerator& operator=(const BatchGenerator&) = delete;

    QString Caption() const { return GetCaption(); }
    QString Description() const { return GetDescription(); }

    // True: every record is generated again; false: only empty values are filled.
    bool reGenAll() const { return m_reGenAll; }
    void setReGenAll(bool on) { m_reGenAll = on; }
    // Records treated by the last Generate.
    int genCount() const { return m_genCount; }

    // Records per transaction of the row-by-row generators.
    int batchSize() const { return m_batchSize; }
    void setBatchSize(int rows) { m_batchSize = rows > 0 ? rows : 1; }

    // Asks the user, runs Generate with the calling window disabled, reopens
    // the list's dataset and reports the count. True when the user confirmed.
    // Database errors propagate after the window state is restored.
    bool Execute(GeneratorHost& host = generatorHost());

    // The work itself, without asking.
    virtual void Generate() = 0;

    // Creates a generator of class T, runs it and frees it.
    template <class T> static bool Show(GeneratorHost& host = generatorHost())
    {
        T generator;
        return generator.Execute(host);
    }

    // The message shown at the end of a run.
    static QString resultText(const QString& caption, int count);

protected:
    virtual QString GetCaption() const = 0;
    virtual QString GetDescription() const = 0;
    // The shared dataset of the list window to reopen afterwards, or none.
    virtual Dataset* GetDataSet() const { return nullptr; }

    // "正在<Caption>..."
    QString progressTitle() const;

    bool m_reGenAll = true;
    int m_genCount = 0;
    int m_batchSize = 500;
};

} // namespace dedizo
