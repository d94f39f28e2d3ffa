#include "report/RLSystemInfo.h"

#include "report/RLBand.h"
#include "report/RLReport.h"
#include "support/DateTimeFormat.h"
#include "support/LocaleTexts.h"

using enum TRLInfoType;
using enum TRLReportPhase;

namespace {

const QString kClearWord = QStringLiteral("^CLEAR");
const QString kLastPageMacro = QStringLiteral("{LastPageNumber}");
constexpr QChar kWordsSeparator = u'|';
constexpr QChar kWordSplit = u';';
constexpr QChar kPartSeparator = u'\t';
constexpr QChar kPlaceholder = u'#';

const char* const kInfoNames[] = { "CarbonCopy", "Date", "DetailCount", "FullDate", "Hour", "Junction",
    "LastPageNumber", "Mend", "Now", "PageNumber", "PagePreview", "Title", "RecNo", "CopyNo" };

QString Parenthesized(const QString& name)
{
    return QLatin1Char('(') + name + QLatin1Char(')');
}

} // namespace

TRLCustomSystemInfo::TRLCustomSystemInfo(TComponent* owner)
    : TRLCustomLabel(owner)
{
    RefreshCaption();
}

QString TRLCustomSystemInfo::ClassName() const
{
    return QStringLiteral("TRLCustomSystemInfo");
}

void TRLCustomSystemInfo::SetInfo(TRLInfoType info)
{
    if (info == m_info)
        return;
    m_info = info;
    RefreshCaption();
}

void TRLCustomSystemInfo::SetText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    RefreshCaption();
}

std::pair<QString, QString> TRLCustomSystemInfo::Words(
    const QString& firstDefault, const QString& secondDefault) const
{
    QString first;
    QString second;
    const qsizetype bar = m_text.indexOf(kWordsSeparator);
    if (bar >= 0) {
        const qsizetype end = m_text.indexOf(kWordsSeparator, bar + 1);
        const QString words = m_text.mid(bar + 1, end < 0 ? -1 : end - bar - 1);
        const qsizetype split = words.indexOf(kWordSplit);
        first = split < 0 ? words : words.left(split);
        second = split < 0 ? QString() : words.mid(split + 1);
    }
    return { first.isEmpty() ? firstDefault : first, second.isEmpty() ? secondDefault : second };
}

QString TRLCustomSystemInfo::DesignInfoText() const
{
    if (!FriendlyName().isEmpty())
        return FriendlyName();
    if (m_info == itPagePreview)
        return Parenthesized(QStringLiteral("PageNumber")) + kPartSeparator
            + Parenthesized(QStringLiteral("LastPageNumber"));
    return Parenthesized(QString::fromLatin1(kInfoNames[int(m_info)]));
}

QString TRLCustomSystemInfo::InfoText() const
{
    if (!IsPrinting())
        return DesignInfoText();
    const TRLCustomReport* root = RootReport();
    const QDateTime when = root->PrepareDateTime();
    switch (m_info) {
    case itCarbonCopy: {
        const TRLCustomBand* band = OwnerBand();
        return band ? QString::number(band->CurrentCopy() + 1) : QString();
    }
    case itDate:
        return DateToStr(when);
    case itDetailCount: {
        const TRLCustomPager* pager = OwnerPager();
        return pager ? QString::number(pager->DetailsPrinted()) : QString();
    }
    case itFullDate:
        return FormatDateTime(FormatSettings().LongDateFormat, when);
    case itHour:
        return TimeToStr(when);
    case itJunction: {
        const auto [first, second]
            = Words(LocaleText(TLocaleTextId::Continues), LocaleText(TLocaleTextId::End));
        return root->ReportPhase() == rpFinishing ? second : first;
    }
    case itLastPageNumber:
        return kLastPageMacro;
    case itMend: {
        const auto [first, second] = Words(LocaleText(TLocaleTextId::Continuation), kClearWord);
        const TRLCustomPager* pager = OwnerPager();
        return !pager || pager->DetailsPrinted() <= 0 ? second : first;
    }
    case itNow:
        return DateTimeToStr(when);
    case itPageNumber:
        return QString::number(root->CurrentPageNumber());
    case itPagePreview:
        return QString::number(root->CurrentPageNumber()) + kPartSeparator + kLastPageMacro;
    case itTitle:
        return OwnerReport()->Title;
    case itRecNo: {
        const TRLCustomSkipper* skipper = OwnerSkipper();
        return skipper ? QString::number(skipper->RecNo()) : QString();
    }
    case itCopyNo: {
        const TRLCustomSkipper* skipper = OwnerSkipper();
        return skipper ? QString::number(skipper->CopyNo()) : QString();
    }
    }
    return {};
}

QString TRLCustomSystemInfo::BuildText()
{
    QString info = InfoText();
    if (info.contains(kClearWord))
        return {};
    const qsizetype bar = m_text.indexOf(kWordsSeparator);
    QString mask = bar < 0 ? m_text : m_text.left(bar);
    do {
        const qsizetype tab = info.indexOf(kPartSeparator);
        const QString part = tab < 0 ? info : info.left(tab);
        info = tab < 0 ? QString() : info.mid(tab + 1);
        const qsizetype hash = mask.indexOf(kPlaceholder);
        if (hash < 0)
            mask += part;
        else
            mask.replace(hash, 1, part);
    } while (!info.isEmpty());
    return mask;
}

TRLSystemInfo::TRLSystemInfo(TComponent* owner)
    : TRLCustomSystemInfo(owner)
{
}

QString TRLSystemInfo::ClassName() const
{
    return QStringLiteral("TRLSystemInfo");
}
