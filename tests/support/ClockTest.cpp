#include "support/Clock.h"
#include "tests/common/TestHelpers.h"

#include <gtest/gtest.h>

namespace {

class SourceDateEpoch : public testing::Test {
protected:
    void SetUp() override { m_saved = qgetenv("SOURCE_DATE_EPOCH"); }
    void TearDown() override
    {
        if (m_saved.isNull())
            qunsetenv("SOURCE_DATE_EPOCH");
        else
            qputenv("SOURCE_DATE_EPOCH", m_saved);
    }

private:
    QByteArray m_saved;
};

} // namespace

TEST_F(SourceDateEpoch, FixesNow)
{
    qputenv("SOURCE_DATE_EPOCH", "1700000000");
    EXPECT_EQ(Now(), QDateTime(QDate(2023, 11, 14), QTime(22, 13, 20), Qt::UTC));
    EXPECT_EQ(Now(), Now());
}

TEST_F(SourceDateEpoch, UnsetMeansTheClock)
{
    qunsetenv("SOURCE_DATE_EPOCH");
    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime now = Now();
    EXPECT_LE(before.msecsTo(now), 5000);
    EXPECT_GE(before.msecsTo(now), 0);
}

TEST_F(SourceDateEpoch, GarbageIsReported)
{
    for (const char* value : { "soon", "-5", "12abc" }) {
        qputenv("SOURCE_DATE_EPOCH", value);
        EXPECT_EQ(ErrorOf([] { Now(); }),
            u"SOURCE_DATE_EPOCH is not a number of seconds since 1970: \""_qs + QString::fromLatin1(value)
                + u'"')
            << value;
    }
}

// Day counts as the platform documents them.
TEST(Clock, DayCounts)
{
    struct Case {
        TDateTime value;
        QDateTime dateTime;
    };
    const Case cases[] = {
        { 0, QDateTime(QDate(1899, 12, 30), QTime(0, 0)) },
        { 2.75, QDateTime(QDate(1900, 1, 1), QTime(18, 0)) },
        { -1.25, QDateTime(QDate(1899, 12, 29), QTime(6, 0)) },
        { 35065, QDateTime(QDate(1996, 1, 1), QTime(0, 0)) },
        { 36526.5, QDateTime(QDate(2000, 1, 1), QTime(12, 0)) },
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(ToDateTimeValue(c.dateTime), c.value) << c.value;
        EXPECT_EQ(FromDateTimeValue(c.value), c.dateTime) << c.value;
    }
    EXPECT_EQ(ErrorOf([] { FromDateTimeValue(1e12); }),
        u"Invalid date-time value 1e+12 (outside the years 1 to 9999)"_qs);
    EXPECT_FALSE(ErrorOf([] { FromDateTimeValue(std::nan("")); }).isEmpty());
}
