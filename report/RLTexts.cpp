#include "report/RLTexts.h"

#include "support/LocaleTexts.h"

namespace {
constexpr int kPreparingReportText = 2;
constexpr int kPageText = 7;
constexpr int kPreparationErrorText = 8;
constexpr int kNotFoundText = 16;
constexpr int kPreviewCaptionText = 25;
constexpr int kInvalidNameText = 53;
constexpr int kNameAlreadyUsedText = 54;
} // namespace

namespace RLTexts {

QString NotFound()
{
    return LocaleText(kNotFoundText);
}

QString NameAlreadyUsed()
{
    return LocaleText(kNameAlreadyUsedText);
}

QString InvalidName()
{
    return LocaleText(kInvalidNameText);
}

QString PreparationError()
{
    return LocaleText(kPreparationErrorText);
}

QString PreparingReport()
{
    return LocaleText(kPreparingReportText);
}

QString Page()
{
    return LocaleText(kPageText);
}

QString PreviewCaption()
{
    return LocaleText(kPreviewCaptionText);
}

} // namespace RLTexts
