#include "report/RLDBImage.h"

#include "db/DataSet.h"

TRLCustomDBImage::TRLCustomDBImage(TComponent* owner)
    : TRLCustomImage(owner)
    , m_binding(*this)
{
}

QString TRLCustomDBImage::ClassName() const
{
    return QStringLiteral("TRLCustomDBImage");
}

void TRLCustomDBImage::SetDataSource(TDataSource* source)
{
    if (m_binding.SetDataSource(source))
        LoadPicture();
}

void TRLCustomDBImage::SetDataField(const QString& field)
{
    if (!m_binding.SetDataField(field))
        return;
    LoadPicture();
    FitBounds();
}

void TRLCustomDBImage::Notification(TComponent* component, TOperation operation)
{
    TRLCustomImage::Notification(component, operation);
    if (operation == TOperation::opRemove && m_binding.SourceRemoved(component))
        LoadPicture();
}

void TRLCustomDBImage::LoadPicture()
{
    SetPicture(QImage());
    const TField* field = m_binding.GetField();
    if (!field || !m_binding.HasRecord())
        return;
    SetPicture(field->Picture());
}

void TRLCustomDBImage::EmitToSurface()
{
    LoadPicture();
    TRLCustomImage::EmitToSurface();
}

TRLDBImage::TRLDBImage(TComponent* owner)
    : TRLCustomDBImage(owner)
{
}

QString TRLDBImage::ClassName() const
{
    return QStringLiteral("TRLDBImage");
}
