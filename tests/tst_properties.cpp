// Many random inputs through the rules that take text from outside: the
// stored option strings, the slot number and the mail URL. Run
// also under AddressSanitizer and UndefinedBehaviorSanitizer by scripts/test.

#include "core/mail_url.h"
#include "core/settings.h"
#include "platform/desktop_uri.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

constexpr int Rounds = 3000;

// Characters that have tripped up mail URLs and byte counts before, mixed
// with random ones from every plane.
const QList<char32_t> Awkward{U'%', U'&', U'?', U'#', U'+', U'=', U' ', U'\r', U'\n', U'\t', U'\0',
                              U'"', U'\\', U'ｱ', U'ア', U'表', U'①', U'髙', U'～', U'¥', U'　',
                              U'\u00a0', U'\u2028', U'😀', U'\U00020B9F', U'\x7f', U'~', U'@'};

QString randomText(QRandomGenerator &random, int maxLength)
{
    QString text;
    const int length = random.bounded(maxLength + 1);
    for (int i = 0; i < length; ++i) {
        char32_t code = Awkward[random.bounded(Awkward.size())];
        if (random.bounded(2)) {
            do
                code = random.bounded(3) ? 0x20 + random.bounded(0x7000) : random.bounded(0x110000);
            while (code >= 0xD800 && code <= 0xDFFF);
        }
        text += QString::fromUcs4(&code, 1);
    }
    return text;
}

} // namespace

class TestProperties : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mailUrlDecodesBackToTheText();
    void storedOptionsAreReadAsTheyAreSaved();
};

void TestProperties::mailUrlDecodesBackToTheText()
{
    QRandomGenerator random(20261206);
    for (int round = 0; round < Rounds; ++round) {
        Settings settings;
        SendDetails &details = settings.sendDetails;
        details.useDestination = details.useSubject = 1;
        details.selectedSlot = random.bounded(SendDetails::SlotCount);
        const QString destination = details.destinations[details.selectedSlot] = randomText(random, 20);
        const QString subject = details.subjects[details.selectedSlot] = randomText(random, 20);
        const QString body = randomText(random, 200);
        const QString uri = DesktopUri::fromUrl(MailUrl::build(body, settings));
        const QString decoded = QString::fromUtf8(QByteArray::fromPercentEncoding(uri.toLatin1()));
        // Some mail programs read a bare "+" as a space.
        if (uri.contains(u'+') || decoded != "mailto:" + destination + "?subject=" + subject + "&body=" + body)
            QFAIL(qPrintable(QStringLiteral("round %1: %2").arg(round).arg(uri)));
    }
}

// Whatever a hand-edited file holds, a saved "Config" is seven digits that
// read back as the same options, and "SettingNo" is always a slot.
void TestProperties::storedOptionsAreReadAsTheyAreSaved()
{
    QRandomGenerator random(7);
    const QString alphabet = QStringLiteral("0123456789 -+.eExa１　");
    for (int round = 0; round < Rounds; ++round) {
        QString stored;
        for (int i = random.bounded(12); i > 0; --i)
            stored += alphabet[random.bounded(alphabet.size())];
        if (random.bounded(4) == 0)
            stored = randomText(random, 8);
        Settings settings;
        StoredForm::readConfig(stored, settings);
        const QString saved = StoredForm::config(settings);
        bool digits = false;
        saved.toUInt(&digits);
        QVERIFY2(saved.size() == 7 && digits, qPrintable(saved));
        Settings again;
        StoredForm::readConfig(saved, again);
        QCOMPARE(again, settings);
        const int slot = StoredForm::readSlot(stored);
        QVERIFY2(slot >= 0 && slot < SendDetails::SlotCount, qPrintable(stored));
    }
}

QTEST_GUILESS_MAIN(TestProperties)
#include "tst_properties.moc"
