#include "settings/stored_options.h"

#include <QTest>

using StoredOptions::LineWidth;
using Width = std::optional<LineWidth>;
Q_DECLARE_METATYPE(Width)

class TestStoredOptions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parseConfig_data();
    void parseConfig();
    void configRoundTrip_data();
    void configRoundTrip();
    void parseSettingNo_data();
    void parseSettingNo();
    void formatSettingNo_data();
    void formatSettingNo();
};

void TestStoredOptions::parseConfig_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<Width>("width");
    QTest::addColumn<bool>("copyMsg");
    QTest::addColumn<bool>("clearMsg");
    QTest::addColumn<bool>("overMsg");
    QTest::addColumn<bool>("sendMode");
    QTest::addColumn<int>("useAtesaki");
    QTest::addColumn<int>("useKenmei");

    const Width eight = LineWidth::Eight;
    const Width ten = LineWidth::Ten;
    const Width unchanged;
    QTest::newRow("default") << "1111000" << ten << true << true << true << true << 0 << 0;
    QTest::newRow("0101111") << "0101111" << eight << true << false << true << false << 1 << 1;
    QTest::newRow("all off, copy") << "0000100" << eight << false << false << false << false << 0 << 0;
    QTest::newRow("x2x9000: letters and digits") << "x2x9000" << unchanged << true << true << true << true << 0 << 0;
    QTest::newRow("empty: everything missing") << "" << unchanged << true << true << true << false << 0 << 0;
    QTest::newRow("short: five positions") << "10000" << ten << false << false << false << true << 0 << 0;
    QTest::newRow("position 6 missing") << "111110" << ten << true << true << true << false << 0 << 0;
    QTest::newRow("positions 6, 7 not digits") << "11110ab" << ten << true << true << true << true << 0 << 0;
    QTest::newRow("positions 6, 7 other digits") << "1111029" << ten << true << true << true << true << 2 << 9;
    QTest::newRow("full-width digits are not digits") << "11110１１" << ten << true << true << true << true << 0 << 0;
    QTest::newRow("longer than seven") << "01111119" << eight << true << true << true << false << 1 << 1;
}

void TestStoredOptions::parseConfig()
{
    QFETCH(QString, config);
    const StoredOptions::Options options = StoredOptions::parseConfig(config);
    QTEST(options.width, "width");
    QTEST(options.copyMsgShow, "copyMsg");
    QTEST(options.clearMsgShow, "clearMsg");
    QTEST(options.overMsgShow, "overMsg");
    QTEST(options.sendMode, "sendMode");
    QTEST(int(options.useAtesaki), "useAtesaki");
    QTEST(int(options.useKenmei), "useKenmei");
}

void TestStoredOptions::configRoundTrip_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("savedAgain");
    QTest::newRow("default") << "1111000" << "1111000";
    QTest::newRow("0101111") << "0101111" << "0101111";
    QTest::newRow("x2x9000 from width 8") << "x2x9000" << "0111000";
    QTest::newRow("copy mode, no notices") << "0000100" << "0000100";
    QTest::newRow("garbage 6 and 7") << "11110??" << "1111000";
}

// Loading then saving without changes, the width having been 8 before the load.
void TestStoredOptions::configRoundTrip()
{
    QFETCH(QString, stored);
    const StoredOptions::Options options = StoredOptions::parseConfig(stored);
    SharedState state;
    StoredOptions::apply(options, state);
    QTEST(StoredOptions::formatConfig(options.width.value_or(LineWidth::Eight), state), "savedAgain");
}

void TestStoredOptions::parseSettingNo_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("slot");
    QTest::newRow("as written") << " 2" << 2;
    QTest::newRow("no blank") << "2" << 2;
    QTest::newRow("one") << " 1" << 1;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("one and a half rounds to even 2") << "1.5" << 2;
    QTest::newRow("half rounds to even 0") << "0.5" << 0;
    QTest::newRow("two and a half rounds to 2") << "2.5" << 2;
    QTest::newRow("1.4") << "1.4" << 1;
    QTest::newRow("trailing letters") << "1abc" << 1;
    QTest::newRow("blanks inside") << " 1 " << 1;
    QTest::newRow("three is outside") << "3" << 0;
    QTest::newRow("negative is outside") << "-1" << 0;
    QTest::newRow("beyond 16 bits") << "70000" << 0;
    QTest::newRow("huge") << "1e400" << 0;
    QTest::newRow("exponent") << "2e0" << 2;
    QTest::newRow("sign only") << "-" << 0;
    QTest::newRow("plus") << "+1" << 1;
}

void TestStoredOptions::parseSettingNo()
{
    QFETCH(QString, stored);
    QTEST(int(StoredOptions::parseSettingNo(stored)), "slot");
}

void TestStoredOptions::formatSettingNo_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("stored");
    QTest::newRow("0") << 0 << " 0";
    QTest::newRow("2") << 2 << " 2";
    QTest::newRow("negative") << -1 << "-1";
}

void TestStoredOptions::formatSettingNo()
{
    QFETCH(int, slot);
    QFETCH(QString, stored);
    QCOMPARE(StoredOptions::formatSettingNo(static_cast<qint16>(slot)), stored);
    if (slot >= 0)
        QCOMPARE(int(StoredOptions::parseSettingNo(stored)), slot);
}

QTEST_GUILESS_MAIN(TestStoredOptions)
#include "tst_stored_options.moc"
