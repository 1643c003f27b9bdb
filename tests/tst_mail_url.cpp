#include "actions/mail_url.h"

#include <QTest>

using MailUrl::BuildMailUrl;
using MailUrl::UrlEncode;

class TestMailUrl : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void urlEncode_data();
    void urlEncode();
    void buildMailUrl_data();
    void buildMailUrl();
    void longTextIsEscapedWhole();
    void desktopUriDecodesToTheText_data();
    void desktopUriDecodesToTheText();
};

void TestMailUrl::urlEncode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("empty") << "" << "";
    QTest::newRow("space becomes plus") << "a b" << "a+b";
    QTest::newRow("unreserved pass") << "A-Z_0.9*@" << "A-Z_0.9*@";
    QTest::newRow("tilde") << "~" << "%7E";
    QTest::newRow("tab, leading zero") << "\t" << "%09";
    QTest::newRow("the five") << "%&?\r\n" << "%25%26%3F%0D%0A";
    QTest::newRow("hash") << "#" << "%23";
    QTest::newRow("katakana a: second byte escaped too") << "ア" << "%83%41";
    QTest::newRow("second byte backslash") << "表" << "%95%5C";
    QTest::newRow("half-width katakana alone") << "ｱ" << "%B1";
    QTest::newRow("lead byte range E0") << "漢" << "%8A%BF";
    QTest::newRow("IBM extension lead FB is not a lead byte") << "髙" << "%FB%FC";
    QTest::newRow("emoji becomes question mark") << "😀" << "%3F";
    QTest::newRow("brackets and slash") << "[/]" << "%5B%2F%5D";
}

void TestMailUrl::urlEncode()
{
    QFETCH(QString, text);
    QTEST(UrlEncode(text), "encoded");
}

void TestMailUrl::buildMailUrl_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("useAtesaki");
    QTest::addColumn<int>("useKenmei");
    QTest::addColumn<int>("settingNo");
    QTest::addColumn<QString>("url");

    QTest::newRow("empty body, nothing used") << "" << 0 << 0 << 0 << "mailto:?subject= &body=";
    QTest::newRow("escaped body")
        << "50% & more?\r\nOK" << 0 << 0 << 0 << "mailto:?subject= &body=50%25 %26 more%3F%0D%0AOK";
    QTest::newRow("japanese body unchanged") << "こんにちは　世界" << 0 << 0 << 0
                                              << "mailto:?subject= &body=こんにちは　世界";
    QTest::newRow("lone LF and CR") << "a\nb\rc" << 0 << 0 << 0 << "mailto:?subject= &body=a%0Ab%0Dc";
    QTest::newRow("hash no longer cuts the body") << "#1 + 2 = 3" << 0 << 0 << 0
                                                   << "mailto:?subject= &body=%231 + 2 = 3";
    QTest::newRow("slot 2, both used") << "hi" << 1 << 1 << 2
                                       << "mailto:c@example.jp?subject=件名 三&body=hi";
    QTest::newRow("slot 1 destination only") << "" << 1 << 0 << 1 << "mailto:b@example.jp?subject= &body=";
    QTest::newRow("subject with specials") << "" << 0 << 1 << 0
                                           << "mailto:?subject=Q%26A 100%25%3F %23x&body=";
    QTest::newRow("use value 2 counts as off") << "x" << 2 << -1 << 0 << "mailto:?subject= &body=x";
    QTest::newRow("slot outside, falls back to 0") << "" << 1 << 0 << 7 << "mailto:a@example.jp?subject= &body=";
}

void TestMailUrl::buildMailUrl()
{
    QFETCH(QString, body);
    SharedState state;
    QFETCH(int, useAtesaki);
    QFETCH(int, useKenmei);
    QFETCH(int, settingNo);
    state.UseAtesaki = static_cast<qint16>(useAtesaki);
    state.UseKenmei = static_cast<qint16>(useKenmei);
    state.SettingNo = static_cast<qint16>(settingNo);
    state.Atesaki = {QStringLiteral("a@example.jp"), QStringLiteral("b@example.jp"), QStringLiteral("c@example.jp")};
    state.Kenmei = {QStringLiteral("Q&A 100%? #x"), QStringLiteral("件名 二"), QStringLiteral("件名 三")};
    QTEST(BuildMailUrl(body, state), "url");
}

void TestMailUrl::longTextIsEscapedWhole()
{
    const QString chunk = QStringLiteral("あ&b\r\n");
    QString body;
    for (int i = 0; i < 20000; ++i)
        body += chunk;
    const QString url = BuildMailUrl(body, SharedState{});
    QCOMPARE(url.count(QStringLiteral("%26")), 20000);
    QCOMPARE(url.count(QStringLiteral("%0D%0A")), 20000);
    QVERIFY(url.endsWith(QStringLiteral("あ%26b%0D%0A")));
}

void TestMailUrl::desktopUriDecodesToTheText_data()
{
    QTest::addColumn<QString>("body");
    QTest::newRow("japanese") << "今日は雨です。";
    QTest::newRow("emoji") << "😀 ok";
    QTest::newRow("half-width katakana") << "ﾃｽﾄ";
    QTest::newRow("signs") << "1+1=2 #tag & 50% ?";
    QTest::newRow("CR LF and lone LF") << "a\r\nb\nc";
    QTest::newRow("quotes and angle brackets") << "\"<x>\" {y} |z| `w` ^ \\";
    QTest::newRow("empty") << "";
}

// A mail program reads the URI with one plain percent-decoding; what it gets
// must be the typed text, byte for byte.
void TestMailUrl::desktopUriDecodesToTheText()
{
    QFETCH(QString, body);
    SharedState state;
    state.UseKenmei = 1;
    state.Kenmei[0] = QStringLiteral("件名 & #1");
    const QString uri = MailUrl::toDesktopUri(BuildMailUrl(body, state));
    for (QChar c : uri)
        QVERIFY2(c.unicode() > 0x20 && c.unicode() < 0x7F && c != u' ', qPrintable(uri));
    const QString decoded = QString::fromUtf8(QByteArray::fromPercentEncoding(uri.toLatin1()));
    QCOMPARE(decoded, QStringLiteral("mailto:?subject=件名 & #1&body=") + body);
}

QTEST_GUILESS_MAIN(TestMailUrl)
#include "tst_mail_url.moc"
