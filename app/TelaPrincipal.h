#pragma once

#include "app/OrderTables.h"
#include "platform/Component.h"

#include <QString>
#include <functional>

class TRLBand;
class TRLDBImage;
class TRLDBMemo;
class TRLDBText;
class TRLDetailGrid;
class TRLDraw;
class TRLLabel;
class TRLPDFFilter;
class TRLReport;
class TRLSystemInfo;
class TRLXLSFilter;
class TRLXLSXFilter;

/// The program's single form: it is never shown; it holds the six tables, the purchase-order
/// report and the save filters, and runs the whole job from FormCreate.
class TForm1 : public TComponent {
public:
    /// Creates the tables under `databaseName` (the alias stands for `dataDirectory` when that is
    /// not empty) and the report from `layoutFile` (the built-in layout when empty); opens nothing
    /// yet. Throws EReportError for a layout that does not load.
    explicit TForm1(TComponent* owner, const QString& databaseName = QStringLiteral("KORVANE"),
        const QString& dataDirectory = QString(), const QString& layoutFile = {});
    ~TForm1() override;
    QString ClassName() const override;

    /// Opens the six tables in order, as streaming the form does; throws the first failure.
    void OpenTables();

    /// The interactive job: the order number from `firstArgument` or the input box, then the
    /// preview or the not-found message.
    void FormCreate(const QString& firstArgument);
    /// Positions the order table on the order given as text and titles the report after it
    /// ("Ordem Compra 3"); false when there is none.
    bool LocateOrder(const QString& orderNumberText);

    /// Asks for the order number; returns the default text when cancelled.
    std::function<QString(const QString& caption, const QString& prompt, const QString& defaultText)>
        InputBox;
    std::function<void(const QString& message)> ShowMessage;
    /// Called with the located order's number just before its preview opens.
    std::function<void(const QString& orderNumber)> BeforePreview;

    void RLBand1BeforePrint(TComponent* sender, bool& printIt);
    void RLDBText20BeforePrint(TComponent* sender, QString& text, bool& printIt);
    void RLDBText21BeforePrint(TComponent* sender, QString& text, bool& printIt);
    void RLDBText22BeforePrint(TComponent* sender, QString& text, bool& printIt);

    TOrderTables Tables;
    TRLReport* RLReport1 = nullptr;
    // The controls the code fills in, found by name; none where the layout has no such control.
    TRLBand* RLBand1 = nullptr;
    TRLDetailGrid* RLDetailGrid1 = nullptr;
    TRLBand* RLBand2 = nullptr;
    TRLLabel* RLLabel1 = nullptr;
    TRLLabel* RLLabel30 = nullptr;
    TRLDBText* RLDBText20 = nullptr;
    TRLDBText* RLDBText21 = nullptr;
    TRLDBText* RLDBText22 = nullptr;
    TRLDBText* RLDBText24 = nullptr;
    TRLDBMemo* RLDBMemo1 = nullptr;
    TRLDBImage* RLDBImage1 = nullptr;
    TRLPDFFilter* RLPDFFilter1 = nullptr;
    TRLXLSFilter* RLXLSFilter1 = nullptr;
    TRLXLSXFilter* RLXLSXFilter1 = nullptr;

    QString OrderNumberText;

private:
    /// Tables of the layout's own are read from `tablesDatabase` (an alias or a directory).
    void BuildLayout(const QString& layoutFile, const QString& tablesDatabase);
    void BuildFilters();
};

/// The built-in layout of the purchase order (a Qt resource path).
QString BuiltInLayoutPath();

/// The text of a number handler: `text` read as a number in the current locale (0 when it is
/// not one), formatted with `picture` in the locale's separators.
QString FormatNumberText(const QString& text, QStringView picture);
