target_sources(support PRIVATE
    RLExpressionParser.cpp
    RLParserErrors.cpp
    RLParserNode.cpp
    RLParserPaths.cpp
    RLParserTokens.cpp
    RLParserTree.cpp
    RLPublishedProperties.cpp
)
