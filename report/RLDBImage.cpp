#include "report/RLDBImage.h"

#include "db/DataSet.h"
#include "db/GraphicBlob.h"
#include "platform/Exceptions.h"
#include "platform/Picture.h"

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
        ReloadPicture();
}

void TRLCustomDBImage::SetDataField(const QString& field)
{
    if (!m_binding.SetDataField(field))
        return;
    ReloadPicture();
    FitBounds();
}

void TRLCustomDBImage::Notification(TComponent* component, TOperation operation)
{
    TRLCustomImage::Notification(component, operation);
    if (operation == TOperation::opRemove && m_binding.SourceRemoved(component))
        ReloadPicture();
}

void TRLCustomDBImage::LoadPicture()
{
    SetPicture(QImage());
    const TField* field = m_binding.GetField();
    if (!field || !m_binding.HasRecord())
        return;
    // Decoded by the field, which names itself in a fault and keeps the last picture.
    const QImage picture = field->Picture();
    const QByteArray bytes = field->AsBytes();
    const QByteArrayView file = GraphicPayload(bytes);
    const bool icon = DetectPictureFormat(file) == TPictureFormat::Icon;
    SetPictureFrom(picture, icon ? file.toByteArray() : QByteArray());
}

void TRLCustomDBImage::ReloadPicture()
{
    if (IsPrinting()) {
        LoadPicture();
        return;
    }
    // Outside printing the picture is only a preview: a field the dataset lacks yet, or bytes
    // that are no picture, leave it empty, and printing reports the fault with its names.
    try {
        LoadPicture();
    } catch (const EReportError&) {
        SetPicture(QImage());
    }
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
