target_sources(filters PRIVATE
    RLCompoundFile.cpp
    RLXLSErrors.cpp
    RLXLSFilter.cpp
    RLXLSGlobalsWriter.cpp
    RLXLSGrid.cpp
    RLXLSPageSetup.cpp
    RLXLSPalette.cpp
    RLXLSRecordWriter.cpp
    RLXLSSaveTables.cpp
    RLXLSScratchFile.cpp
    RLXLSSharedStrings.cpp
    RLXLSSheetWriter.cpp
    RLXLSWorkbook.cpp
    RLXLSWorkbookWriter.cpp
    RLXLSWorksheet.cpp
)
