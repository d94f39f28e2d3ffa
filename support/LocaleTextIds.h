#pragma once

/// The entries of the localized text table, in table order (LocaleText, LanguageText); the
/// English text follows each name.
enum class TLocaleTextId : int {
    PrintingReport, // Printing in progress...
    SavingReport, // Saving report...
    PreparingReport, // Preparing report...
    PrinterNotFound, // Printer not found
    InvalidPrinterPath, // Invalid printer path
    LoadDefaultConfiguration, // Load default configuration
    PrinterDriverError, // Printer driver error
    Page, // Page
    PreparationError, // Error while preparing report
    Continues, // Continues...
    Continuation, // Continuation
    End, // End
    FileNotFound, // File not found
    FileName, // File Name
    AllFiles, // All files
    LoadReport, // Load report
    NotFound, // Not found
    Wait, // Wait...
    Finished, // Finished
    Cancel, // Cancel
    Close, // Close
    Save, // Save
    Send, // Send
    Print, // Print
    About, // About
    Preview, // Preview
    Of, // of
    Zoom, // Zoom
    FirstPage, // First page
    PriorPage, // Prior page
    NextPage, // Next page
    LastPage, // Last page
    EntirePage, // Entire page
    EntireWidth, // Entire width
    MultiplePages, // Multiple pages
    ConfigurePrinter, // Configure printer
    SaveToFile, // Save to file
    SendTo, // Send to
    Printer, // Printer
    Name, // Name
    PrintToFile, // Print to file
    PrintInBackground, // Print in background
    SaveInBackground, // Save in background
    PageRange, // Page range
    From, // from
    To, // to
    All, // All
    Pages, // Pages
    Selection, // Selection
    Copies, // Copies
    NumberOfCopies, // Number of copies
    Ok, // Ok
    DivideScreen, // Divide the screen
    InvalidName, // Invalid name
    NameAlreadyUsed, // Name already in use
    UseFilter, // Use filter
    WebPage, // Web page
    RichTextFormat, // RichText Format
    PdfDocument, // PDF Document
    ExcelSpreadsheet, // Excel spreadsheet
    At, // at
    Form, // Form
    Default, // Default
    Columns, // cols
    ZoomIn, // Increase zoom
    ZoomOut, // Decrease zoom
    Copy, // Copy
    Edit, // Edit
    Find, // Find
    TextLabel, // Te&xt
    FindNext, // Find &Next
    WholeWords, // &Whole words only
    MatchCase, // &Match Case
    Up, // &Up
    Down, // &Down
    Direction, // Direction
};

/// The number of entries of the table.
constexpr int kLocaleTextCount = int(TLocaleTextId::Direction) + 1;
