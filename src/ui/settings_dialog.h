#pragma once

#include "core/settings.h"

#include <QDialog>
#include <memory>

namespace Ui {
class SettingsDialog;
}

// The settings dialog: what the main window's picture button does and where
// it sends, which notices appear, and the way to the send details. OK takes the options from
// the controls; send details confirmed in their own dialog stand either way.
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(const Settings &settings, QWidget *owner);
    ~SettingsDialog() override;

    const Settings &settings() const { return m_settings; }

    void accept() override;

private:
    void showOptions(const Settings &settings);
    void restoreDefaults();
    void openSendDetails();

    std::unique_ptr<Ui::SettingsDialog> m_ui;
    Settings m_settings;
};
