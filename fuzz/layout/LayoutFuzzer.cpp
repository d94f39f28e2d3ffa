// Input: a layout file (JSON). It loads into a fresh owner or fails with a message; a failure
// leaves the owner as it was, and a layout that loads saves to a text that loads and saves the
// same again.
#include "db/DataSource.h"
#include "db/MemoryDataSet.h"
#include "platform/Exceptions.h"
#include "report/RLLayoutFile.h"
#include "report/RLReport.h"
#include "support/Startup.h"

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

/// An owner with the data source the seeds bind to.
struct Owner {
    Owner()
    {
        items->SetName(QStringLiteral("Items"));
        items->AddField(QStringLiteral("NAME"), TFieldType::ftString, 10);
        source->SetName(QStringLiteral("DSItems"));
        source->SetDataSet(items);
    }
    TComponent owner { nullptr };
    TMemoryDataSet* items = new TMemoryDataSet(&owner);
    TDataSource* source = new TDataSource(&owner);
};

void StartOnce()
{
    static int argc = 1;
    static char name[] = "layout_fuzzer";
    static char* argv[] = { name, nullptr };
    static QGuiApplication* application = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        auto* app = new QGuiApplication(argc, argv);
        InitializeLibrary();
        return app;
    }();
    Q_UNUSED(application);
}

/// The saved text of the layout, or nothing when it does not load.
std::optional<QByteArray> LoadAndSave(const QByteArray& json)
{
    Owner owner;
    const int before = owner.owner.ComponentCount();
    try {
        return SaveLayout(*LoadLayout(owner.owner, json, QStringLiteral("fuzz.json")));
    } catch (const EReportError&) {
        // Refusing the layout with a message is the expected outcome for most inputs; it must
        // leave nothing of it behind.
        if (owner.owner.ComponentCount() != before)
            std::abort();
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartOnce();
    const std::optional<QByteArray> saved
        = LoadAndSave(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!saved)
        return 0;
    const std::optional<QByteArray> again = LoadAndSave(*saved);
    if (!again || *again != *saved)
        std::abort();
    return 0;
}
