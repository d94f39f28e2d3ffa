#include "report/RLForeignControl.h"

namespace {
quint64 g_lastSerial = 0;
} // namespace

quint64 NextCreationSerial()
{
    return ++g_lastSerial;
}

TRLForeignControl::TRLForeignControl(TComponent* owner)
    : TControl(owner)
    , m_serial(NextCreationSerial())
{
}

QString TRLForeignControl::ClassName() const
{
    return QStringLiteral("TRLForeignControl");
}

QImage TRLForeignControl::PaintToImage() const
{
    if (!Painter || Width() <= 0 || Height() <= 0)
        return {};
    return Painter(QSize(Width(), Height()));
}
