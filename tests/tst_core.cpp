// The rules that need no window: the count, the message text, the stored
// form of the settings, the mail URL and the once-per-rise notice rule.

#include "core/mail_url.h"
#include "core/message_text.h"
#include "core/over_limit.h"
#include "core/phone_characters.h"
#include "core/save_schedule.h"
#include "core/settings.h"
#include "core/shift_jis.h"

#include "platform/desktop_uri.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// Characters that have tripped up mail URLs and byte counts before, mixed
// with random ones from every plane.
const QList<char32_t> Awkward{U'%', U'&', U'?', U'#', U'+', U'=', U' ', U'\r', U'\n', U'\t', U'\0',
                              U'"', U'\\', U'ｱ', U'ア', U'表', U'①', U'髙', U'～', U'¥', U'　', U'-',
                              U'\u00a0', U'\u2028', U'😀', U'\U00020B9F', U'\x7f', U'.', U'e', U'1'};

QString randomText(QRandomGenerator &random, int maxLength)
{
    QString text;
    for (int i = random.bounded(maxLength + 1); i > 0; --i) {
        char32_t code = Awkward[random.bounded(Awkward.size())];
        if (random.bounded(2)) // mostly the BMP below the surrogates, else any other character
            code = random.bounded(3) ? random.bounded(0xD800) : 0xE000 + random.bounded(0x110000 - 0xE000);
        text += QString::fromUcs4(&code, 1);
    }
    return text;
}

} // namespace

class TestCore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void countAgreesWithTheConverterForEveryCharacter();
    void phoneCharacters_data();
    void phoneCharacters();
    void messageText_data();
    void messageText();
    void storedConfig_data();
    void storedConfig();
    void mailUrl_data();
    void mailUrl();
    void overLimitOncePerRise_data();
    void overLimitOncePerRise();
    void backgroundSaveSchedule_data();
    void backgroundSaveSchedule();
    void randomInputs();
};

// The count and the marks read a table; it must agree with the converter for
// every character.
void TestCore::countAgreesWithTheConverterForEveryCharacter()
{
    using Kind = PhoneCharacters::Kind;
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const QString one(QChar(static_cast<char16_t>(unit)));
        const QByteArray bytes = ShiftJis::encode(one);
        const auto lead = static_cast<unsigned char>(bytes[0]);
        const bool vendor = bytes.size() == 2 && (lead == 0x87 || lead == 0xED || lead == 0xEE || lead >= 0xF0);
        const Kind kind = bytes == "?" && unit != u'?' ? Kind::Missing : vendor ? Kind::VendorExtension : Kind::Common;
        if (ShiftJis::byteCount(one) != bytes.size() || PhoneCharacters::kind(one) != kind)
            QFAIL(qPrintable(QStringLiteral("U+%1").arg(unit, 4, 16, QLatin1Char('0'))));
    }
}

void TestCore::phoneCharacters_data()
{
    QTest::addColumn<QString>("given"); // as the box holds them
    QTest::addColumn<PhoneCharacters::Kind>("kind");
    QTest::addColumn<QStringList>("replacements"); // one a character; "" for none
    using Kind = PhoneCharacters::Kind;
    QTest::newRow("JIS X 0208, ≒∵¬ also in vendor rows") << "≒∵¬あA" << Kind::Common << QStringList(5);
    QTest::newRow("NEC rows") << "①㈱Ⅲ㍉" << Kind::VendorExtension << QStringList{"1", "(株)", "III", "ミリ"};
    QTest::newRow("IBM rows, user-defined area") << "髙\uE000" << Kind::VendorExtension << QStringList(2);
    QTest::newRow("decomposed: composed where the phone has the form")
        << "か\u3099ｶ\u3099e\u0301" << Kind::Missing << QStringList{"が", "ガ", ""};
    QTest::newRow("no-break space, line separator: sent as space, break") << "\u00A0\u2028" << Kind::Common << QStringList(2);
    QTest::newRow("no form, nor has NFKC of ⅀½") << "😀𠮷한⅀½" + QString(QChar(0xDC00)) << Kind::Missing << QStringList(6);
}

// Neighbours of one kind make one run; a surrogate pair or a letter with its
// combining marks is one character.
void TestCore::phoneCharacters()
{
    QFETCH(QString, given);
    const QString characters = PhoneCharacters::asSent(given);
    QFETCH(PhoneCharacters::Kind, kind);
    QStringList replacements;
    for (qsizetype i = 0; i < characters.size();) {
        const QStringView character = PhoneCharacters::characterAt(characters, i);
        QCOMPARE(PhoneCharacters::kind(character), kind);
        replacements << PhoneCharacters::replacement(character);
        i += character.size();
    }
    QTEST(replacements, "replacements");
    const bool marked = kind != PhoneCharacters::Kind::Common;
    const PhoneCharacters::Totals totals = PhoneCharacters::totals(characters);
    QCOMPARE(totals.missing + totals.vendorExtension, marked ? replacements.size() : 0);
    QCOMPARE(PhoneCharacters::runs(characters), QList<PhoneCharacters::Run>(marked, {0, characters.size(), kind}));
}

void TestCore::messageText_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("storedAgain");
    QTest::addColumn<qsizetype>("count");
    const QString full100(100, QChar(u'あ'));
    QTest::newRow("100 full-width") << full100 << full100 << full100 << qsizetype(200);
    QTest::newRow("199 half-width and a break")
        << QString(199, u'x') + "\r\n" << QString(199, u'x') + u'\n' << QString(199, u'x') + "\r\n" << qsizetype(201);
    QTest::newRow("CR CR LF") << "a\r\r\nb" << "a\n\nb" << "a\r\n\r\nb" << qsizetype(6);
    QTest::newRow("emoji counts one") << "😀😀" << "😀😀" << "😀😀" << qsizetype(2);
    QTest::newRow("mixed, trailing break") << "ab\r\nｱ\r\n" << "ab\nｱ\n" << "ab\r\nｱ\r\n" << qsizetype(7);
}

void TestCore::messageText()
{
    QFETCH(QString, stored);
    QFETCH(QString, box);
    QCOMPARE(MessageText::toBox(stored), box);
    QTEST(MessageText::fromBox(box), "storedAgain");
    QTEST(MessageText::count(box), "count");
    QTEST(qsizetype(ShiftJis::encode(MessageText::fromBox(box)).size()), "count");
}

void TestCore::storedConfig_data()
{
    // "width copy clear over send use-destination use-subject", then the
    // string written back after loading it unchanged.
    // "SettingNo" alongside: as stored, the slot read, as written back.
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("savedAgain");
    QTest::addColumn<QString>("storedSlot");
    QTest::addColumn<int>("slot");
    QTest::newRow("default") << "1111000" << "10 1 1 1 send 0 0" << "1111000" << " 2" << 2;
    QTest::newRow("0101111") << "0101111" << "8 1 0 1 copy 1 1" << "0101111" << "" << 0;
    QTest::newRow("letters: width stays 8") << "x2x9000" << "8 1 1 1 send 0 0" << "0111000" << "1.5 rounds to 2" << 2;
    QTest::newRow("empty: notices on") << "" << "8 1 1 1 copy 0 0" << "0111100" << "3 is no slot" << 0;
    QTest::newRow("6 and 7 other digits kept") << "1111029" << "10 1 1 1 send 2 9" << "1111029" << "+1" << 1;
    QTest::newRow("full-width digits are not digits") << "11110１１" << "10 1 1 1 send 0 0" << "1111000" << "2e0" << 2;
    QTest::newRow("longer than seven") << "01111119" << "8 1 1 1 copy 1 1" << "0111111" << "-1" << 0;
}

void TestCore::storedConfig()
{
    QFETCH(QString, stored);
    Settings settings;
    StoredForm::readConfig(stored, settings);
    const QString read = QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                             .arg(settings.lineWidth == LineWidth::Eight ? 8 : 10)
                             .arg(settings.copyNotice)
                             .arg(settings.clearConfirmation)
                             .arg(settings.overLimitNotice)
                             .arg(settings.sendMode ? "send" : "copy")
                             .arg(settings.sendDetails.useDestination)
                             .arg(settings.sendDetails.useSubject);
    QTEST(read, "read");
    QTEST(StoredForm::config(settings), "savedAgain");
    QFETCH(QString, storedSlot);
    QFETCH(int, slot);
    QCOMPARE(StoredForm::readSlot(storedSlot), slot);
    QCOMPARE(StoredForm::slot(slot), u' ' + QString::number(slot));
}

void TestCore::mailUrl_data()
{
    QTest::addColumn<SendTo>("sendTo");
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("useDestination");
    QTest::addColumn<int>("useSubject");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("url");
    const SendTo mail = SendTo::MailProgram, gmail = SendTo::Gmail, outlook = SendTo::Outlook;
    QTest::newRow("empty body, nothing used") << mail << "" << 0 << 0 << 0 << "mailto:?subject= &body=";
    QTest::newRow("escaped body")
        << mail << "50% & more?\r\nOK" << 0 << 0 << 0 << "mailto:?subject= &body=50%25 %26 more%3F%0D%0AOK";
    QTest::newRow("slot 2, both used") << mail << "hi" << 1 << 1 << 2 << "mailto:c@example.jp?subject=件名 三&body=hi";
    QTest::newRow("subject with specials") << mail << "" << 0 << 1 << 0 << "mailto:?subject=Q%26A 100%25%3F %23x&body=";
    QTest::newRow("use value 2 counts as off") << mail << "x" << 2 << 9 << 0 << "mailto:?subject= &body=x";
    QTest::newRow("slot outside, falls back to 0") << mail << "" << 1 << 0 << 7 << "mailto:a@example.jp?subject= &body=";
    QTest::newRow("Gmail, slot 2, CR LF as one LF")
        << gmail << "a+b #1 & 50%\r\nOK😀" << 1 << 1 << 2
        << "https://mail.google.com/mail/?view=cm&fs=1&to=c%40example.jp&su=%E4%BB%B6%E5%90%8D%20%E4%B8%89"
           "&body=a%2Bb%20%231%20%26%2050%25%0AOK%F0%9F%98%80";
    QTest::newRow("Outlook.com, nothing used, lone CR")
        << outlook << "x\ry" << 0 << 0 << 0 << "https://outlook.live.com/mail/0/deeplink/compose?to=&subject=&body=x%0Ay";
    const QString long1500(1500, u'a');
    QTest::newRow("Gmail takes 1,500 characters")
        << gmail << long1500 << 0 << 0 << 0 << "https://mail.google.com/mail/?view=cm&fs=1&to=&su=&body=" + long1500;
    QTest::newRow("Outlook.com does not: no body")
        << outlook << long1500 << 0 << 1 << 0
        << "https://outlook.live.com/mail/0/deeplink/compose?to=&subject=Q%26A%20100%25%3F%20%23x (body left out)";
}

void TestCore::mailUrl()
{
    QFETCH(QString, body);
    Settings settings;
    QFETCH(SendTo, sendTo);
    settings.sendTo = sendTo;
    SendDetails &details = settings.sendDetails;
    QFETCH(int, useDestination);
    QFETCH(int, useSubject);
    QFETCH(int, slot);
    details.useDestination = useDestination;
    details.useSubject = useSubject;
    details.selectedSlot = slot;
    details.destinations = {QStringLiteral("a@example.jp"), QStringLiteral("b@example.jp"), QStringLiteral("c@example.jp")};
    details.subjects = {QStringLiteral("Q&A 100%? #x"), QStringLiteral("件名 二"), QStringLiteral("件名 三")};
    const MailUrl::Compose compose = MailUrl::compose(body, settings);
    QTEST(compose.url + (compose.bodyLeftOut ? QStringLiteral(" (body left out)") : QString()), "url");
}

void TestCore::overLimitOncePerRise_data()
{
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<QList<bool>>("rises");
    QTest::newRow("200 is not over, 201 is") << QList<int>{200, 201} << QList<bool>{false, true};
    QTest::newRow("growing further: once") << QList<int>{201, 202, 500} << QList<bool>{true, false, false};
    QTest::newRow("back to 200 arms it again")
        << QList<int>{201, 200, 201, 50, 300} << QList<bool>{true, false, true, false, true};
}

void TestCore::overLimitOncePerRise()
{
    QFETCH(QList<int>, counts);
    QFETCH(QList<bool>, rises);
    OverLimitWatch watch;
    QList<bool> seen;
    for (int count : counts)
        seen << watch.risesPast(count);
    QCOMPARE(seen, rises);
}

void TestCore::backgroundSaveSchedule_data()
{
    QTest::addColumn<QList<qint64>>("changes"); // milliseconds, in steps of 100
    QTest::addColumn<QList<qint64>>("writes");
    QTest::newRow("many changes, one write") << QList<qint64>{0, 300, 600, 900, 1200, 1500, 1800} << QList<qint64>{3800};
    QTest::newRow("steady typing")
        << QList<qint64>{0, 1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000} << QList<qint64>{5000, 10000};
}

// A clock ticking in steps of 100 ms writes whenever a write has fallen due.
void TestCore::backgroundSaveSchedule()
{
    QFETCH(QList<qint64>, changes);
    SaveSchedule schedule;
    QList<qint64> writes;
    for (qint64 now = 0; now <= 20000; now += 100) {
        if (const auto due = schedule.dueAt(); due && *due <= now) {
            writes << now;
            schedule.saved();
        }
        if (changes.contains(now))
            schedule.changed(now);
    }
    QTEST(writes, "writes");
}

// Many random texts, also under the sanitizers (scripts/test): the mail URI
// decodes back to its three parts, with no bare "+" (some mail programs read
// it as a space), and so do the webmail pages, where each line break is one
// LF, all but the unreserved characters are encoded, and the body is there or
// left out whole; whatever a hand-edited file holds, a saved "Config" is seven
// digits that read back as the same options, and "SettingNo" is a slot.
void TestCore::randomInputs()
{
    const auto decoded = [](QStringView uri) {
        return QString::fromUtf8(QByteArray::fromPercentEncoding(uri.toLatin1()));
    };
    const auto lineFeeds = [](QString text) {
        return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    };
    QRandomGenerator random(20261206);
    for (int round = 0; round < 3000; ++round) {
        Settings settings;
        SendDetails &details = settings.sendDetails;
        details.useDestination = details.useSubject = 1;
        details.selectedSlot = random.bounded(SendDetails::SlotCount);
        const QString destination = details.destinations[details.selectedSlot] = randomText(random, 20);
        const QString subject = details.subjects[details.selectedSlot] = randomText(random, 20);
        const QString body = randomText(random, 200);
        const QString uri = DesktopUri::fromUrl(MailUrl::build(body, settings));
        if (uri.contains(u'+') || decoded(uri) != "mailto:" + destination + "?subject=" + subject + "&body=" + body)
            QFAIL(qPrintable(QStringLiteral("round %1: %2").arg(round).arg(uri)));
        for (const SendTo sendTo : {SendTo::Gmail, SendTo::Outlook}) {
            settings.sendTo = sendTo;
            const MailUrl::Compose page = MailUrl::compose(body, settings);
            QStringList parts{lineFeeds(destination), lineFeeds(subject), lineFeeds(body)};
            if (page.bodyLeftOut)
                parts.removeLast();
            QStringList values;
            for (const QString &parameter : page.url.section(u'?', 1).split(u'&'))
                values << decoded(parameter.section(u'=', 1));
            const bool encoded = DesktopUri::fromUrl(page.url) == page.url && !page.url.contains(u'+');
            if (!encoded || values.mid(sendTo == SendTo::Gmail ? 2 : 0) != parts)
                QFAIL(qPrintable(QStringLiteral("round %1: %2").arg(round).arg(page.url)));
        }
        const QString stored = randomText(random, 9);
        Settings options, again;
        StoredForm::readConfig(stored, options);
        const QString saved = StoredForm::config(options);
        bool digits = false;
        saved.toUInt(&digits);
        StoredForm::readConfig(saved, again);
        QVERIFY2(digits && saved.size() == 7 && again == options, qPrintable(stored));
        QVERIFY2(unsigned(StoredForm::readSlot(stored)) < SendDetails::SlotCount, qPrintable(stored));
    }
}

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
