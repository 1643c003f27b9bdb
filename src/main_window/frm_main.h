#pragma once

#include "main_window/modal_dialogs.h"
#include "platform/platform.h"
#include "settings/shared_state.h"

#include <QMainWindow>
#include <memory>

namespace Ui {
class FrmMain;
}
class PictureButton;
class QPlainTextEdit;
class QRadioButton;
class QLabel;

// The handset window: the editor, its count, the two picture buttons and the
// menu. Everything it keeps between runs passes through SharedState and the
// settings store.
class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    FrmMain(SharedState &state, Platform &platform, ModalDialogs &dialogs, QWidget *parent = nullptr);
    ~FrmMain() override;

    // Runs before the window is first shown. False when another copy of the
    // program is already running: the user has been told, and this window is
    // done without having been shown.
    bool Form_Load();

    QPlainTextEdit *txtEdit_8moji() const;
    QPlainTextEdit *txtEdit_10moji() const;
    QRadioButton *Opt8Moji() const;
    QRadioButton *Opt10Moji() const;
    QLabel *lblMoji() const;
    PictureButton *ImgCopy() const;
    PictureButton *ImgClear() const;

    // The box of the selected width, and its text with CR LF line breaks.
    QPlainTextEdit *currentBox() const;
    QString currentMessage() const;

    // The settings store's share of the window's life; each runs once a run.
    void LoadRegEdit();
    void LoadRegConfig();
    void LoadRegSendDetail();
    void SaveRegEdit();
    void SaveRegConfig();
    void SaveRegSendDetail();

    // Shows the picture file of the image folder on the Copy/Send button.
    void setCopyPicture(const QString &fileName);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Init();
    void Form_Activate();
    void Form_Unload();

    void txtEdit_8moji_Change();
    void txtEdit_10moji_Change();
    void Opt8Moji_Click();
    void Opt10Moji_Click();
    void ImgCopy_MouseDown();
    void ImgCopy_MouseUp();
    void ImgClear_MouseDown();
    void ImgClear_MouseUp();
    void mnuConfig_Click();
    void mnuEnd_Click();
    void mnuHelpMe_Click();
    void mnuVersion_Click();

    void updateCount(QPlainTextEdit *box);
    void switchWidth(QPlainTextEdit *shown, QPlainTextEdit *hidden);
    void selectAllOnCtrlA(QPlainTextEdit *box, QKeyEvent *event);
    void showPicture(PictureButton *button, const QString &fileName);
    QString copyButtonPicture(bool pressed) const;

    std::unique_ptr<Ui::FrmMain> ui_;
    SharedState &state_;
    Platform &platform_;
    ModalDialogs &dialogs_;

    bool RegLoaded = false;
    bool OverShown = false;
    bool InChange = false;
};
