#include "core/settings.h"

#include "core/settings_store.h"

#include <cmath>
#include <string>

namespace {

const QString EditKey = QStringLiteral("Edit");
const QString ConfigKey = QStringLiteral("Config");
const QString SlotKey = QStringLiteral("SettingNo");
const QString SendToKey = QStringLiteral("SendTo");

// The stored key names are older than this code and keep its words:
// "Atesaki" is the destination, "Kenmei" the subject.
QString destinationKey(int slot) { return QStringLiteral("Atesaki%1").arg(slot); }
QString subjectKey(int slot) { return QStringLiteral("Kenmei%1").arg(slot); }

QChar at(QStringView text, qsizetype position)
{
    return position <= text.size() ? text[position - 1] : QChar();
}

// Positions 6 and 7 hold a digit; anything else (or nothing) means "not used".
int digit(QStringView text, qsizetype position)
{
    const QChar c = at(text, position);
    return c.isDigit() && c.unicode() < 0x80 ? c.unicode() - u'0' : 0;
}

QChar flag(bool on)
{
    return on ? u'1' : u'0';
}

} // namespace

namespace StoredForm {

void readConfig(QStringView config, Settings &settings)
{
    // An unreadable width leaves the window as designed, eight wide.
    settings.lineWidth = at(config, 1) == u'1' ? LineWidth::Ten : LineWidth::Eight;
    // Only "0" switches a notice off.
    settings.copyNotice = at(config, 2) != u'0';
    settings.clearConfirmation = at(config, 3) != u'0';
    settings.overLimitNotice = at(config, 4) != u'0';
    settings.sendMode = at(config, 5) == u'0';
    settings.sendDetails.useDestination = digit(config, 6);
    settings.sendDetails.useSubject = digit(config, 7);
}

QString config(const Settings &settings)
{
    QString config;
    config += settings.lineWidth == LineWidth::Eight ? u'0' : u'1';
    config += flag(settings.copyNotice);
    config += flag(settings.clearConfirmation);
    config += flag(settings.overLimitNotice);
    config += settings.sendMode ? u'0' : u'1';
    config += QString::number(settings.sendDetails.useDestination);
    config += QString::number(settings.sendDetails.useSubject);
    return config;
}

int readSlot(QStringView stored)
{
    // Blanks anywhere are skipped, then: sign, digits, fraction, exponent.
    std::string number;
    bool digits = false;
    bool dot = false;
    bool exponent = false;
    for (QChar c : stored) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        const char16_t u = c.unicode();
        const bool atStart = number.empty() || number.back() == 'e';
        if ((u == u'+' || u == u'-') && atStart) {
            number += static_cast<char>(u);
        } else if (u >= u'0' && u <= u'9') {
            number += static_cast<char>(u);
            digits = true;
        } else if (u == u'.' && !dot && !exponent) {
            number += '.';
            dot = true;
        } else if ((u == u'e' || u == u'E' || u == u'd' || u == u'D') && digits && !exponent) {
            number += 'e';
            exponent = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    const double value = std::nearbyint(std::strtod(number.c_str(), nullptr));
    if (!(value >= 0 && value < SendDetails::SlotCount))
        return 0;
    return static_cast<int>(value);
}

QString slot(int selectedSlot)
{
    return selectedSlot < 0 ? QString::number(selectedSlot) : u' ' + QString::number(selectedSlot);
}

SendTo readSendTo(QStringView stored)
{
    if (stored == u"gmail")
        return SendTo::Gmail;
    if (stored == u"outlook")
        return SendTo::Outlook;
    return SendTo::MailProgram;
}

QString sendTo(SendTo sendTo)
{
    switch (sendTo) {
    case SendTo::Gmail: return QStringLiteral("gmail");
    case SendTo::Outlook: return QStringLiteral("outlook");
    case SendTo::MailProgram: break;
    }
    return QStringLiteral("mailto");
}

} // namespace StoredForm

Settings loadSettings(const SettingsStore &store)
{
    Settings settings;
    StoredForm::readConfig(store.read(ConfigKey, QString::fromLatin1(StoredForm::DefaultConfig)), settings);
    SendDetails &details = settings.sendDetails;
    for (int slot = 0; slot < SendDetails::SlotCount; ++slot) {
        details.destinations[slot] = store.read(destinationKey(slot), QString());
        details.subjects[slot] = store.read(subjectKey(slot), QString());
    }
    details.selectedSlot = StoredForm::readSlot(store.read(SlotKey, QStringLiteral("0")));
    settings.sendTo = StoredForm::readSendTo(store.read(SendToKey, QString()));
    return settings;
}

void saveSettings(const Settings &settings, SettingsStore &store)
{
    store.write(ConfigKey, StoredForm::config(settings));
    const SendDetails &details = settings.sendDetails;
    for (int slot = 0; slot < SendDetails::SlotCount; ++slot)
        store.write(destinationKey(slot), details.destinations[slot]);
    for (int slot = 0; slot < SendDetails::SlotCount; ++slot)
        store.write(subjectKey(slot), details.subjects[slot]);
    store.write(SlotKey, StoredForm::slot(details.selectedSlot));
    // A file that never chose a webmail stays as earlier versions wrote it.
    if (settings.sendTo != SendTo::MailProgram || !store.read(SendToKey, QString()).isEmpty())
        store.write(SendToKey, StoredForm::sendTo(settings.sendTo));
}

QString loadDraft(const SettingsStore &store)
{
    return store.read(EditKey, QString());
}

void saveDraft(const QString &message, SettingsStore &store)
{
    store.write(EditKey, message);
}
