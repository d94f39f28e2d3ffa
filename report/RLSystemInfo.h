#pragma once

#include "report/RLLabel.h"

/// What a system-info control prints.
enum class TRLInfoType {
    itCarbonCopy,
    itDate,
    itDetailCount,
    itFullDate,
    itHour,
    itJunction,
    itLastPageNumber,
    itMend,
    itNow,
    itPageNumber,
    itPagePreview,
    itTitle,
    itRecNo,
    itCopyNo
};

/// A label showing what the report engine knows (dates, page and record numbers, title,
/// continuation words), fitted into the Text mask.
class TRLCustomSystemInfo : public TRLCustomLabel {
public:
    /// Prints the date (itDate), AutoSize on; deleted by `owner`.
    explicit TRLCustomSystemInfo(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// What it prints: itPageNumber, itLastPageNumber, itDate, itHour, itTitle, itRecNo...
    /// Setting it re-fits.
    ///@{
    TRLInfoType Info() const { return m_info; }
    void SetInfo(TRLInfoType info);
    ///@}
    /// "mask|first;second|": the mask before the first "|" (each "#" takes one tab-separated
    /// part of the information, or the information follows it); the junction or mend words
    /// between the first and the next "|".
    ///@{
    const QString& Text() const { return m_text; }
    void SetText(const QString& text);
    ///@}

    /// The information before the mask; "{LastPageNumber}" stays for the page to expand.
    QString InfoText() const;

protected:
    /// @cond ENGINE
    QString BuildText() override;
    /// @endcond

private:
    /// The two words of the junction or mend part, defaults put in for empty ones.
    std::pair<QString, QString> Words(const QString& firstDefault, const QString& secondDefault) const;
    QString DesignInfoText() const;

    TRLInfoType m_info = TRLInfoType::itDate;
    QString m_text;
};

/// The system-info component a program creates; see TRLCustomSystemInfo.
class TRLSystemInfo : public TRLCustomSystemInfo {
public:
    /// Prints the date, AutoSize on; deleted by `owner`.
    explicit TRLSystemInfo(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond
};
