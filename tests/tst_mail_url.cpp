#include "actions/mail_url.h"
#include "actions/shell_launch.h"

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
    void launchErrorMessages_data();
    void launchErrorMessages();
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

void TestMailUrl::launchErrorMessages_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("mail");
    QTest::addColumn<QString>("text"); // empty: nothing is shown
    const QString memory = QStringLiteral("メモリまたはリソースが不足しています。");
    const QString sharing = QStringLiteral("共有違反が発生しました。再起動してください。");
    const QString mailBroken = QStringLiteral("メールソフトが破損している可能性があります。メールソフトが正常に動作するか確認してください。");
    const QString browserBroken = QStringLiteral("ブラウザが破損している可能性があります。ブラウザが正常に動作するか確認してください。");
    const QString mailOther = QStringLiteral("メールソフトの起動に失敗しました。メールソフトが正常に動作するか確認してください。");
    const QString browserOther = QStringLiteral("ブラウザの起動に失敗しました。ヘルプファイルが見つからないか、又はブラウザが破損している可能性があります。");
    for (const bool mail : {true, false}) {
        const char *family = mail ? "mail" : "browser";
        QTest::addRow("%s 0", family) << 0 << mail << memory;
        QTest::addRow("%s 2", family) << 2 << mail << (mail ? mailOther : browserOther);
        QTest::addRow("%s 11", family) << 11 << mail << (mail ? mailBroken : browserBroken);
        QTest::addRow("%s 26", family) << 26 << mail << sharing;
        QTest::addRow("%s 32", family) << 32 << mail << (mail ? mailOther : browserOther);
        QTest::addRow("%s 33", family) << 33 << mail << QString();
    }
}

void TestMailUrl::launchErrorMessages()
{
    QFETCH(int, result);
    QFETCH(bool, mail);
    QFETCH(QString, text);
    const auto error = launchErrorFor(result, mail ? LaunchFamily::MailProgram : LaunchFamily::Browser);
    QCOMPARE(error.has_value(), !text.isEmpty());
    if (!error)
        return;
    QCOMPARE(error->text, text);
    QCOMPARE(error->title, mail ? QStringLiteral("メールソフト起動エラー") : QStringLiteral("ブラウザ起動エラー"));
}

QTEST_GUILESS_MAIN(TestMailUrl)
#include "tst_mail_url.moc"
