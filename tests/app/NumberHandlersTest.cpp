// The layout's number handlers: the text a data text composed, read and written in the locale.
#include "SampleOrders.h"

#include "app/TelaPrincipal.h"
#include "report/RLDBText.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(NumberHandlers, QuantityThreeDecimalsMoneyTwoInTheLocalesSeparators)
{
    struct Case {
        const char* locale;
        QString text;
        QString quantity;
        QString money;
    };
    const Case cases[] = {
        { "pt_BR.UTF-8", u"1234,5"_s, u"1.234,500"_s, u"1.234,50"_s },
        { "pt_BR.UTF-8", u"-1234567,125"_s, u"-1.234.567,125"_s, u"-1.234.567,13"_s },
        { "pt_BR.UTF-8", u"0,0005"_s, u"0,001"_s, u"0,00"_s },
        { "pt_BR.UTF-8", QString(), u"0,000"_s, u"0,00"_s },
        { "pt_BR.UTF-8", u"abc"_s, u"0,000"_s, u"0,00"_s },
        { "pt_BR.UTF-8", u"12.5"_s, u"0,000"_s, u"0,00"_s },
        { "C", u"1234.5"_s, u"1,234.500"_s, u"1,234.50"_s },
        { "C", u"7"_s, u"7.000"_s, u"7.00"_s },
        { "C", QString(), u"0.000"_s, u"0.00"_s },
    };
    TForm1 form(nullptr);
    for (const Case& c : cases) {
        const TScopedLocale locale(QString::fromLatin1(c.locale));
        const std::string what = std::string(c.locale) + " \"" + c.text.toStdString() + "\"";
        bool printIt = true;
        QString quantity = c.text;
        form.RLDBText20BeforePrint(form.RLDBText20, quantity, printIt);
        EXPECT_EQ(quantity, c.quantity) << what;
        QString price = c.text;
        form.RLDBText21BeforePrint(form.RLDBText21, price, printIt);
        EXPECT_EQ(price, c.money) << what;
        QString total = c.text;
        form.RLDBText22BeforePrint(form.RLDBText24, total, printIt);
        EXPECT_EQ(total, c.money) << what;
        EXPECT_TRUE(printIt) << what << ": the handlers never hide a value";
    }
}
