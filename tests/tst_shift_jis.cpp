#include "main_window/message_text.h"
#include "platform/shift_jis.h"

#include <QRandomGenerator>
#include <QTest>

class TestShiftJis : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void encode_data();
    void encode();
    void countEqualsEncodedLengthForEveryCharacter();
    void messageCount_data();
    void messageCount();
    void lineBreaks_data();
    void lineBreaks();
};

void TestShiftJis::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("Az09 ~") << QByteArray("Az09 ~");
    QTest::newRow("katakana a") << QStringLiteral("ア") << QByteArray("\x83\x41");
    QTest::newRow("second byte 0x5C") << QStringLiteral("表") << QByteArray("\x95\x5C");
    QTest::newRow("half-width katakana") << QStringLiteral("ｱ") << QByteArray("\xB1");
    QTest::newRow("NEC circled digit") << QStringLiteral("①") << QByteArray("\x87\x40");
    QTest::newRow("IBM extension kanji") << QStringLiteral("髙") << QByteArray("\xFB\xFC");
    QTest::newRow("cent and pound") << QStringLiteral("¢£") << QByteArray("\x81\x91\x81\x92");
    QTest::newRow("not sign, double bar") << QStringLiteral("¬‖") << QByteArray("\x81\xCA\x81\x61");
    QTest::newRow("wave dash family") << QStringLiteral("～") << QByteArray("\x81\x60");
    QTest::newRow("CR LF") << QStringLiteral("\r\n") << QByteArray("\r\n");
    QTest::newRow("emoji is one unknown") << QStringLiteral("a😀b") << QByteArray("a?b");
    QTest::newRow("hangul is unknown") << QStringLiteral("한") << QByteArray("?");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    QTest::newRow("invisible tag character") << QStringLiteral("a\U000E0015b") << QByteArray("a?b");
    QTest::newRow("byte order mark") << QStringLiteral("\uFEFF") << QByteArray("?");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestShiftJis::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ShiftJis::encode(text), bytes);
    QCOMPARE(ShiftJis::byteCount(text), bytes.size());
}

// The count reads a table built from the converter; it must agree with the
// converter for every character, alone and in random company.
void TestShiftJis::countEqualsEncodedLengthForEveryCharacter()
{
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const QString one(QChar(static_cast<char16_t>(unit)));
        if (ShiftJis::byteCount(one) != ShiftJis::encode(one).size())
            QFAIL(qPrintable(QStringLiteral("U+%1").arg(unit, 4, 16, QLatin1Char('0'))));
    }
    QRandomGenerator random(932);
    for (int round = 0; round < 200; ++round) {
        QString text;
        for (int i = 0; i < 50; ++i) {
            const char32_t code = random.bounded(3) == 0 ? 0x1F300 + random.bounded(200)
                                                         : random.bounded(0x10000);
            text += QString::fromUcs4(&code, 1);
        }
        QCOMPARE(ShiftJis::byteCount(text), ShiftJis::encode(text).size());
    }
}

void TestShiftJis::messageCount_data()
{
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<qsizetype>("count");
    QTest::newRow("empty") << QString() << qsizetype(0);
    QTest::newRow("100 full-width") << QString(100, QChar(u'あ')) << qsizetype(200);
    QTest::newRow("100 full-width and one") << QString(100, QChar(u'あ')) + u'a' << qsizetype(201);
    QTest::newRow("199 half-width and a break") << QString(199, QChar(u'x')) + u'\n' << qsizetype(201);
    QTest::newRow("half-width katakana") << QStringLiteral("ｱｲｳ") << qsizetype(3);
    QTest::newRow("emoji counts one") << QStringLiteral("😀😀") << qsizetype(2);
    QTest::newRow("mixed with breaks") << QStringLiteral("ab\nあ\n") << qsizetype(8);
}

void TestShiftJis::messageCount()
{
    QFETCH(QString, boxText);
    QFETCH(qsizetype, count);
    QCOMPARE(MessageText::count(boxText), count);
    QCOMPARE(ShiftJis::encode(MessageText::fromBox(boxText)).size(), count);
}

void TestShiftJis::lineBreaks_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("storedAgain");
    QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << QStringLiteral("a\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("lone LF") << QStringLiteral("a\nb") << QStringLiteral("a\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("lone CR") << QStringLiteral("a\rb") << QStringLiteral("a\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("CR CR LF") << QStringLiteral("a\r\r\nb") << QStringLiteral("a\n\nb")
                              << QStringLiteral("a\r\n\r\nb");
    QTest::newRow("trailing break") << QStringLiteral("a\r\n") << QStringLiteral("a\n") << QStringLiteral("a\r\n");
    QTest::newRow("no break") << QStringLiteral(" x ") << QStringLiteral(" x ") << QStringLiteral(" x ");
}

void TestShiftJis::lineBreaks()
{
    QFETCH(QString, stored);
    QFETCH(QString, box);
    QFETCH(QString, storedAgain);
    QCOMPARE(MessageText::toBox(stored), box);
    QCOMPARE(MessageText::fromBox(box), storedAgain);
}

QTEST_GUILESS_MAIN(TestShiftJis)
#include "tst_shift_jis.moc"
