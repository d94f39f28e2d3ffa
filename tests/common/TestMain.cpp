#include "support/Startup.h"
#include "support/Translations.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Tests never need a display; fonts still need a GUI application.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    // Language, number formats and temporary directory from the environment, as the program has them.
    const TQuirelLibrary library;
    // Messages are checked in their source language whatever the locale; the catalogues and the
    // program run under pt_BR have tests of their own.
    InstallTranslations(TLanguage::English);
    return RUN_ALL_TESTS();
}
