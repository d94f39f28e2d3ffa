target_sources(filters PRIVATE
    RLDeflate.cpp
    RLFilterProgress.cpp
    RLFilterCommands.cpp
    RLFilters.cpp
    RLPDFContent.cpp
    RLPDFFilter.cpp
    RLPDFFonts.cpp
    RLPDFFontSubset.cpp
    RLPDFImages.cpp
    RLPDFTextString.cpp
    RLPDFWriter.cpp
    RLSpoolFilter.cpp
)
