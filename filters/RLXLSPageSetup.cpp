#include "filters/RLXLSPageSetup.h"

namespace {

constexpr double kDefaultSideMargin = 2.0;
constexpr double kDefaultTopBottomMargin = 2.5;

QString Sections(const QString& left, const QString& center, const QString& right)
{
    QString text;
    if (!left.isEmpty())
        text += QStringLiteral("&L") + left;
    if (!center.isEmpty())
        text += QStringLiteral("&C") + center;
    if (!right.isEmpty())
        text += QStringLiteral("&R") + right;
    return text;
}

} // namespace

bool TRLXLSPageSetup::LeftMarginStored() const
{
    return LeftMargin != kDefaultSideMargin;
}

bool TRLXLSPageSetup::RightMarginStored() const
{
    return RightMargin != kDefaultSideMargin;
}

bool TRLXLSPageSetup::TopMarginStored() const
{
    return TopMargin != kDefaultTopBottomMargin;
}

bool TRLXLSPageSetup::BottomMarginStored() const
{
    return BottomMargin != kDefaultTopBottomMargin;
}

QString TRLXLSPageSetup::HeaderText() const
{
    return Sections(LeftHeader, CenterHeader, RightHeader);
}

QString TRLXLSPageSetup::FooterText() const
{
    return Sections(LeftFooter, CenterFooter, RightFooter);
}
