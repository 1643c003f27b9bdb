#pragma once

#include <QString>
#include <array>

class SettingsStore;

enum class LineWidth { Eight, Ten };

// Where the send action opens the new mail: the desktop's mail program (on a
// "mailto:" URL) or a webmail's compose page in the browser.
enum class SendTo { MailProgram, Gmail, Outlook };

// The three destination/subject slots the send action can fill the mail
// from. The two "use" switches keep the digit they are stored as: only 1
// means "put it into the mail", and any other digit written by hand survives
// a save unchanged.
struct SendDetails {
    static constexpr int SlotCount = 3;

    std::array<QString, SlotCount> destinations;
    std::array<QString, SlotCount> subjects;
    int selectedSlot = 0;
    int useDestination = 0;
    int useSubject = 0;

    bool operator==(const SendDetails &) const = default;
};

// Everything the program keeps between runs apart from the draft itself.
// A default-constructed value is what a first run starts with.
struct Settings {
    LineWidth lineWidth = LineWidth::Ten;
    bool copyNotice = true;
    bool clearConfirmation = true;
    bool overLimitNotice = true;
    bool sendMode = true; // the picture button sends a mail; off: it copies
    SendTo sendTo = SendTo::MailProgram;
    SendDetails sendDetails;

    bool operator==(const Settings &) const = default;
};

// The settings file's forms of the values, kept byte for byte as every
// earlier version wrote them, since users' files rely on them.
namespace StoredForm {

inline constexpr auto DefaultConfig = "1111000";

// "Config": seven characters, width, the three notices, mode, the two "use"
// digits. A damaged or short string errs on the side of showing notices.
void readConfig(QStringView config, Settings &settings);
QString config(const Settings &settings);

// "SettingNo" is read the lenient way the file has always been read (blanks
// skipped, fractions rounded half to even); a value that is not one of the
// slots reads as slot 0. It is written as " n".
int readSlot(QStringView stored);
QString slot(int selectedSlot);

// "SendTo", newer than the rest: "mailto", "gmail" or "outlook". A missing or
// unknown value means the desktop's mail program.
SendTo readSendTo(QStringView stored);
QString sendTo(SendTo sendTo);

} // namespace StoredForm

Settings loadSettings(const SettingsStore &store);
void saveSettings(const Settings &settings, SettingsStore &store);

// The draft is kept with CR LF line breaks, as it will be sent.
QString loadDraft(const SettingsStore &store);
void saveDraft(const QString &message, SettingsStore &store);
