target_sources(filters PRIVATE
    RLFilterProgress.cpp
    RLFilterCommands.cpp
    RLFilters.cpp
    RLPDFContent.cpp
    RLPDFFilter.cpp
    RLPDFFonts.cpp
    RLPDFImages.cpp
    RLPDFTextString.cpp
    RLPDFWriter.cpp
    RLSpoolFilter.cpp
)
