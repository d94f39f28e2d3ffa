#include "support/LocaleTexts.h"
#include "support/Startup.h"
#include "support/Translations.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Widget tests run without a display unless one is asked for (the screenshots use xvfb).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const TQuirelLibrary library;
    // The windows' texts are checked in Portuguese, whatever the machine's locale.
    SelectLanguage(TLanguage::Portuguese);
    InstallTranslations(TLanguage::Portuguese);
    return RUN_ALL_TESTS();
}
