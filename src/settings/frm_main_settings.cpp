// The main window's traffic with the settings store: read once at its first
// activation, written once when it closes.

#include "main_window/frm_main.h"

#include "main_window/message_text.h"
#include "settings/settings_keys.h"
#include "settings/stored_options.h"

#include <QPlainTextEdit>
#include <QRadioButton>

using StoredOptions::LineWidth;

void FrmMain::LoadRegEdit()
{
    const QString text = MessageText::toBox(platform_.store.read(SettingsKeys::Edit, QString()));
    QPlainTextEdit *box = currentBox();
    QPlainTextEdit *other = box == txtEdit_8moji() ? txtEdit_10moji() : txtEdit_8moji();
    box->setPlainText(text);
    updateCount(box);
    other->hide();
}

void FrmMain::LoadRegConfig()
{
    const StoredOptions::Options options = StoredOptions::parseConfig(
        platform_.store.read(SettingsKeys::Config, QString::fromLatin1(StoredOptions::DefaultConfig)));
    if (options.width == LineWidth::Eight)
        Opt8Moji()->setChecked(true);
    else if (options.width == LineWidth::Ten)
        Opt10Moji()->setChecked(true);
    StoredOptions::apply(options, state_);
    setCopyPicture(state_.SendMode ? QStringLiteral("sendBtn.gif") : QStringLiteral("copyBtn.gif"));
}

void FrmMain::LoadRegSendDetail()
{
    for (int slot = 0; slot < SharedState::SlotCount; ++slot)
        state_.Atesaki[slot] = platform_.store.read(SettingsKeys::atesaki(slot), QString());
    for (int slot = 0; slot < SharedState::SlotCount; ++slot)
        state_.Kenmei[slot] = platform_.store.read(SettingsKeys::kenmei(slot), QString());
    state_.SettingNo = StoredOptions::parseSettingNo(
        platform_.store.read(SettingsKeys::SettingNo, QString::fromLatin1(StoredOptions::DefaultSettingNo)));
}

void FrmMain::SaveRegEdit()
{
    platform_.store.write(SettingsKeys::Edit, currentMessage());
}

void FrmMain::SaveRegConfig()
{
    const LineWidth width = Opt8Moji()->isChecked() ? LineWidth::Eight : LineWidth::Ten;
    platform_.store.write(SettingsKeys::Config, StoredOptions::formatConfig(width, state_));
}

void FrmMain::SaveRegSendDetail()
{
    for (int slot = 0; slot < SharedState::SlotCount; ++slot)
        platform_.store.write(SettingsKeys::atesaki(slot), state_.Atesaki[slot]);
    for (int slot = 0; slot < SharedState::SlotCount; ++slot)
        platform_.store.write(SettingsKeys::kenmei(slot), state_.Kenmei[slot]);
    platform_.store.write(SettingsKeys::SettingNo, StoredOptions::formatSettingNo(state_.SettingNo));
}
