#pragma once

#include "core/over_limit.h"
#include "core/send_description.h"
#include "core/settings.h"
#include "core/stored_draft.h"
#include "ui/save_timer.h"

#include <QMainWindow>
#include <memory>

namespace Ui {
class MainWindow;
}
class Dialogs;
class PictureButton;
class QPlainTextEdit;
struct Platform;

// The handset window: the editor, its count, the two picture buttons and the
// menu. It restores the draft and settings when it is made and saves them
// when it closes, and in the background a moment after they change.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(const Platform &platform, Dialogs &dialogs, QWidget *parent = nullptr);
    ~MainWindow() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void restoreDraft();
    void keepWholeDraft();
    bool writeAll();
    void saveAll();
    void changeSettings(const Settings &settings);

    void updateCount();
    void showOverLimitNotice();
    void setLineWidth(LineWidth width);

    void releaseAction();
    void send();
    void copyToClipboard();
    void describeAction();
    void lookUpMailProgram();
    void releaseClear();
    void openSettings();
    void openHelp();

    QPlainTextEdit *box(LineWidth width) const;
    QPlainTextEdit *currentBox() const;
    QString currentMessage() const;
    void showActionPicture(bool pressed);
    void showClearPicture(bool pressed);
    void showPicture(PictureButton *button, const QString &fileName);

    std::unique_ptr<Ui::MainWindow> m_ui;
    const Platform &m_platform;
    Dialogs &m_dialogs;
    Settings m_settings;
    StoredDraft m_draft;
    DesktopMailProgram m_mailProgram;
    OverLimitWatch m_overLimit;
    bool m_noticeOpen = false;
    bool m_noticeDue = false;
    SaveTimer m_saveTimer;
};
