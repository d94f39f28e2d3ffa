// The purchase-order document: the layout file (built in, or the operator's own) and the parts of
// the order that are code, hooked to its controls by name. A layout without one of those controls
// still prints; it just lacks what the code would have filled in.
#include "app/TelaPrincipal.h"

#include "report/RLBand.h"
#include "report/RLDBImage.h"
#include "report/RLDBMemo.h"
#include "report/RLDBText.h"
#include "report/RLDetailGrid.h"
#include "report/RLLabel.h"
#include "report/RLLayoutFile.h"
#include "report/RLReport.h"

#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <functional>

namespace {

const QString kBuiltInLayout = QStringLiteral(":/layouts/purchase-order.json");

template<class T> T* Named(const TComponent& owner, QStringView name)
{
    return dynamic_cast<T*>(owner.FindComponent(name));
}

} // namespace

QString BuiltInLayoutPath()
{
    return kBuiltInLayout;
}

void TForm1::BuildLayout(const QString& layoutFile, const QString& tablesDatabase)
{
    RLReport1 = dynamic_cast<TRLReport*>(
        LoadLayoutFile(*this, layoutFile.isEmpty() ? kBuiltInLayout : layoutFile, tablesDatabase));
    if (!RLReport1)
        throw EReportError(QCoreApplication::translate("OrdemCompra", "The layout's report is no TRLReport"));
    RLBand1 = Named<TRLBand>(*this, u"RLBand1");
    RLDetailGrid1 = Named<TRLDetailGrid>(*this, u"RLDetailGrid1");
    RLBand2 = Named<TRLBand>(*this, u"RLBand2");
    RLLabel1 = Named<TRLLabel>(*this, u"RLLabel1");
    RLLabel30 = Named<TRLLabel>(*this, u"RLLabel30");
    RLDBText20 = Named<TRLDBText>(*this, u"RLDBText20");
    RLDBText21 = Named<TRLDBText>(*this, u"RLDBText21");
    RLDBText22 = Named<TRLDBText>(*this, u"RLDBText22");
    RLDBText24 = Named<TRLDBText>(*this, u"RLDBText24");
    RLDBMemo1 = Named<TRLDBMemo>(*this, u"RLDBMemo1");
    RLDBImage1 = Named<TRLDBImage>(*this, u"RLDBImage1");

    if (RLBand1)
        RLBand1->BeforePrint = std::bind_front(&TForm1::RLBand1BeforePrint, this);
    if (RLDBText20)
        RLDBText20->BeforeText = std::bind_front(&TForm1::RLDBText20BeforePrint, this);
    if (RLDBText21)
        RLDBText21->BeforeText = std::bind_front(&TForm1::RLDBText21BeforePrint, this);
    if (RLDBText22)
        RLDBText22->BeforeText = std::bind_front(&TForm1::RLDBText22BeforePrint, this);
    if (RLDBText24)
        RLDBText24->BeforeText = std::bind_front(&TForm1::RLDBText22BeforePrint, this);
}
