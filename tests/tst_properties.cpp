// Many random inputs through the rules that take text from outside: the
// stored option strings and the mail URL. Run also under AddressSanitizer and
// UndefinedBehaviorSanitizer by scripts/test.

#include "actions/mail_url.h"
#include "main_window/message_text.h"
#include "platform/desktop_uri.h"
#include "platform/shift_jis.h"
#include "settings/stored_options.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

constexpr int Rounds = 3000;

// Characters that have tripped up mail URLs and byte counts before, mixed
// with random ones from every plane.
const QList<char32_t> Awkward{U'%', U'&', U'?', U'#', U'+', U'=', U' ', U'\r', U'\n', U'\t', U'\0',
                              U'"', U'\\', U'ｱ', U'ﾟ', U'ア', U'表', U'①', U'髙', U'～', U'¥',
                              U'　', U'\u00a0', U'\u2028', U'\u3000', U'😀', U'👍', U'\U00020B9F',
                              U'\x7f', U'~', U'@', U'*'};

QString randomText(QRandomGenerator &random, int maxLength)
{
    QString text;
    const int length = random.bounded(maxLength + 1);
    for (int i = 0; i < length; ++i) {
        char32_t code;
        switch (random.bounded(4)) {
        case 0:
            code = Awkward[random.bounded(Awkward.size())];
            break;
        case 1:
            code = 0x20 + random.bounded(0x5F);
            break;
        case 2:
            code = 0x3000 + random.bounded(0x7000);
            break;
        default:
            do
                code = random.bounded(0x110000);
            while (code >= 0xD800 && code <= 0xDFFF);
        }
        text += QString::fromUcs4(&code, 1);
    }
    return text;
}

QString randomStoredString(QRandomGenerator &random)
{
    static const QString alphabet = QStringLiteral("0123456789 -+.eExa１　😀");
    QString text;
    const int length = random.bounded(12);
    for (int i = 0; i < length; ++i) {
        const int index = random.bounded(alphabet.size());
        text += alphabet[index];
        if (alphabet[index].isHighSurrogate())
            text += alphabet[index + 1];
    }
    return text;
}

} // namespace

class TestProperties : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mailUrlDecodesBackToTheText();
    void urlEncodeIsPercentFormOfShiftJis();
    void configParsesToWhatItSavesAgain();
    void settingNoIsAlwaysASlot();
    void countAndLineBreaksAgree();
};

void TestProperties::mailUrlDecodesBackToTheText()
{
    QRandomGenerator random(20261206);
    for (int round = 0; round < Rounds; ++round) {
        SharedState state;
        state.UseAtesaki = 1;
        state.UseKenmei = 1;
        state.SettingNo = static_cast<qint16>(random.bounded(3));
        state.Atesaki[state.SettingNo] = randomText(random, 20);
        state.Kenmei[state.SettingNo] = randomText(random, 20);
        const QString body = randomText(random, 200);
        const QString uri = DesktopUri::fromUrl(MailUrl::BuildMailUrl(body, state));
        const QString decoded = QString::fromUtf8(QByteArray::fromPercentEncoding(uri.toLatin1()));
        const QString expected = QStringLiteral("mailto:") + state.Atesaki[state.SettingNo]
                                 + QStringLiteral("?subject=") + state.Kenmei[state.SettingNo]
                                 + QStringLiteral("&body=") + body;
        if (decoded != expected)
            QFAIL(qPrintable(QStringLiteral("round %1: %2").arg(round).arg(uri)));
    }
}

void TestProperties::urlEncodeIsPercentFormOfShiftJis()
{
    QRandomGenerator random(932);
    for (int round = 0; round < Rounds; ++round) {
        const QString text = randomText(random, 30);
        const QString encoded = MailUrl::UrlEncode(text);
        for (QChar c : encoded) {
            const bool allowed = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')
                                 || (c >= u'0' && c <= u'9') || QStringLiteral("@*-._+%").contains(c);
            QVERIFY2(allowed, qPrintable(encoded));
        }
        QByteArray plus = encoded.toLatin1();
        plus.replace('+', ' ');
        QCOMPARE(QByteArray::fromPercentEncoding(plus), ShiftJis::encode(text));
    }
}

void TestProperties::configParsesToWhatItSavesAgain()
{
    QRandomGenerator random(7);
    for (int round = 0; round < Rounds; ++round) {
        const QString stored = randomStoredString(random);
        const StoredOptions::Options options = StoredOptions::parseConfig(stored);
        SharedState state;
        StoredOptions::apply(options, state);
        const auto width = options.width.value_or(StoredOptions::LineWidth::Ten);
        const QString saved = StoredOptions::formatConfig(width, state);
        QCOMPARE(saved.size(), 7);
        for (QChar c : saved)
            QVERIFY2(c >= u'0' && c <= u'9', qPrintable(saved));
        const StoredOptions::Options again = StoredOptions::parseConfig(saved);
        QCOMPARE(again.width, std::optional(width));
        QCOMPARE(again.copyMsgShow, options.copyMsgShow);
        QCOMPARE(again.clearMsgShow, options.clearMsgShow);
        QCOMPARE(again.overMsgShow, options.overMsgShow);
        QCOMPARE(again.sendMode, options.sendMode);
        QCOMPARE(again.useAtesaki, options.useAtesaki);
        QCOMPARE(again.useKenmei, options.useKenmei);
    }
}

void TestProperties::settingNoIsAlwaysASlot()
{
    QRandomGenerator random(3);
    for (int round = 0; round < Rounds; ++round) {
        const QString stored = random.bounded(2) ? randomStoredString(random) : randomText(random, 8);
        const qint16 slot = StoredOptions::parseSettingNo(stored);
        QVERIFY2(slot >= 0 && slot < SharedState::SlotCount, qPrintable(stored));
    }
}

void TestProperties::countAndLineBreaksAgree()
{
    QRandomGenerator random(200);
    for (int round = 0; round < Rounds; ++round) {
        QString box = randomText(random, 100);
        box.remove(u'\r');
        const QString message = MessageText::fromBox(box);
        QCOMPARE(MessageText::toBox(message), box);
        QCOMPARE(MessageText::count(box), ShiftJis::encode(message).size());
    }
}

QTEST_GUILESS_MAIN(TestProperties)
#include "tst_properties.moc"
