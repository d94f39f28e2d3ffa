#include "ReportFixture.h"

#include "pages/RLGraphicStorage.h"

using namespace Qt::StringLiterals;

ReportFixture::ReportFixture(int count, const QStringList& groups)
{
    data = new TMemoryDataSet(&form);
    data->SetName(u"Data"_s);
    data->AddField(u"N"_s, TFieldType::ftInteger);
    data->AddField(u"G"_s, TFieldType::ftString, 10);
    for (int n = 1; n <= count; ++n)
        data->AppendRecord({ n, n <= groups.size() ? QVariant(groups[n - 1]) : QVariant(u"x"_s) });
    data->Open();
    source = new TDataSource(&form);
    source->SetDataSet(data);
    report = new TRLReport(&form);
    report->SetName(u"RLReport1"_s);
    report->ShowProgress = false;
    report->SetDataSource(source);
}

QString ReportFixture::N() const
{
    return data->FindField(u"N")->AsString();
}

TTestText* ReportFixture::AddText(TRLCustomBand* band, const QString& label, int top, bool withRecord)
{
    auto* text = new TTestText(&form);
    text->SetParent(band);
    text->SetBounds(0, top, 50, 10);
    if (withRecord)
        text->Text = [this, label] { return label + N(); };
    else
        text->SetCaption(label);
    return text;
}

TRLBand* ReportFixture::AddBand(
    TRLBandType type, int height, const QString& label, bool withRecord, TRLCustomControl* parent)
{
    auto* band = new TRLBand(&form);
    band->SetBandType(type);
    // Placed below the bands added before, so that bands of one type keep the order they are added in.
    band->SetBounds(0, 100000 + 10 * int(form.Components().size()), band->Width(), height);
    band->SetParent(parent ? parent : report);
    AddText(band, label, 0, withRecord);
    band->AfterPrint
        = [this, label, withRecord](TComponent*) { printed << (withRecord ? label + N() : label); };
    return band;
}

QString ReportFixture::Dump() const
{
    return DumpPages(*report->Pages());
}

int ReportFixture::PageCount() const
{
    return report->Pages()->PageCount();
}

QStringList ReportFixture::Words(int page) const
{
    return PageWords(*report->Pages(), page);
}

QStringList ReportFixture::Texts(int page) const
{
    return PageTexts(*report->Pages(), page);
}
