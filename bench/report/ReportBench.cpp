// Prepares reports of three text bands over memory datasets of growing size and prints the
// time and memory of each run: the page store keeps five pages alive, so memory must not grow
// with the record count.
#include "db/DataSource.h"
#include "db/MemoryDataSet.h"
#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "report/RLBand.h"
#include "report/RLReport.h"
#include "support/LocaleTexts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

using enum TRLBandType;

namespace {

/// Prints its text as one text object, like a label.
class TBenchText : public TRLCustomControl {
public:
    explicit TBenchText(TComponent* owner)
        : TRLCustomControl(owner)
    {
    }
    std::function<QString()> Text;
    QString BuildText() override { return Text(); }
    void EmitToSurface() override
    {
        const TRect rect = SurfaceBoundsRect();
        RequireSurface()->TextOutEx(rect, rect.Left, rect.Top, Caption(), TRLMetaTextAlignment::Left,
            TRLMetaTextLayout::Top, kTextFlagNoClip);
    }
};

/// Kilobytes of a /proc/self/status line ("VmRSS", "VmHWM").
long StatusKilobytes(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key)) + 1).trimmed().split(' ').first().toLong();
    return -1;
}

void Run(int records)
{
    TComponent form(nullptr);
    auto* data = new TMemoryDataSet(&form);
    TField* number = data->AddField(QStringLiteral("N"), TFieldType::ftInteger);
    TField* name = data->AddField(QStringLiteral("NAME"), TFieldType::ftString, 40);
    for (int n = 1; n <= records; ++n)
        data->AppendRecord({ n, QStringLiteral("Item %1").arg(n) });
    data->Open();
    auto* source = new TDataSource(&form);
    source->SetDataSet(data);
    auto* report = new TRLReport(&form);
    report->ShowProgress = false;
    report->SetDataSource(source);

    const struct {
        TRLBandType type;
        std::function<QString()> text;
    } bands[] = {
        { btColumnHeader, [] { return QStringLiteral("Number and name"); } },
        { btDetail, [=] { return number->AsString() + QLatin1Char(' ') + name->AsString(); } },
        { btFooter, [report] { return QStringLiteral("Page %1").arg(report->CurrentPageNumber()); } },
    };
    for (const auto& b : bands) {
        auto* band = new TRLBand(&form);
        band->SetBandType(b.type);
        band->SetHeight(20);
        band->SetParent(report);
        auto* text = new TBenchText(&form);
        text->SetParent(band);
        text->SetBounds(0, 2, 300, 16);
        text->Text = b.text;
    }

    const long before = StatusKilobytes("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    const bool prepared = bool(report->Prepare());
    const qint64 elapsed = timer.elapsed();
    const long after = StatusKilobytes("VmRSS:");
    std::printf("%7d records: %s, %5d pages, %6lld ms; RSS with the dataset %6ld kB, after preparing %6ld kB "
                "(+%ld kB); peak %6ld kB\n",
        records, prepared ? "prepared" : "FAILED", report->Pages()->PageCount(),
        static_cast<long long>(elapsed), before, after, after - before, StatusKilobytes("VmHWM:"));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    SelectLanguage(TLanguage::Portuguese);
    // The dataset itself grows with the records; the engine's share is what the runs add beyond it.
    for (int records : { 1000, 10000, 100000, 100000 })
        Run(records);
    return 0;
}
