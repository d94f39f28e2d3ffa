#include "report/RLPageSetup.h"

#include "report/RLReport.h"
#include "support/Geometry.h"

using enum TRLPageOrientation;

TRLPageSetup::TRLPageSetup(TRLCustomReport* owner)
    : m_owner(owner)
{
    const TRLPaperSizeInfo& a4 = PaperSizeInfo(TRLPaperSize::fpA4);
    m_paperWidth = a4.Width;
    m_paperHeight = a4.Height;
}

void TRLPageSetup::Changed()
{
    if (m_owner)
        m_owner->PageSetupChanged();
}

void TRLPageSetup::SetPaperSize(TRLPaperSize size)
{
    m_paperSize = size;
    if (size != TRLPaperSize::fpCustom) {
        const TRLPaperSizeInfo& info = PaperSizeInfo(size);
        m_paperWidth = info.Width;
        m_paperHeight = info.Height;
    }
    Changed();
}

void TRLPageSetup::SetPaperWidth(double width)
{
    if (m_paperSize != TRLPaperSize::fpCustom || !(width > 0))
        return;
    m_paperWidth = width;
    Changed();
}

void TRLPageSetup::SetPaperHeight(double height)
{
    if (m_paperSize != TRLPaperSize::fpCustom || !(height > 0))
        return;
    m_paperHeight = height;
    Changed();
}

void TRLPageSetup::SetOrientation(TRLPageOrientation orientation)
{
    m_orientation = orientation;
    Changed();
}

void TRLPageSetup::SetForceEmulation(bool force)
{
    m_forceEmulation = force;
    Changed();
}

double TRLPageSetup::OrientedWidth() const
{
    return m_orientation == poLandscape ? m_paperHeight : m_paperWidth;
}

double TRLPageSetup::OrientedHeight() const
{
    return m_orientation == poLandscape ? m_paperWidth : m_paperHeight;
}

int TRLPageSetup::OrientedPixelWidth() const
{
    return MillimetersToPixels(OrientedWidth());
}

int TRLPageSetup::OrientedPixelHeight() const
{
    return MillimetersToPixels(OrientedHeight());
}

void TRLPageSetup::Assign(const TRLPageSetup& source)
{
    SetPaperSize(source.m_paperSize);
    SetOrientation(source.m_orientation);
    SetPaperWidth(source.m_paperWidth);
    SetPaperHeight(source.m_paperHeight);
    SetForceEmulation(source.m_forceEmulation);
}
