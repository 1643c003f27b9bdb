#pragma once

#include "core/send_description.h"
#include "core/settings.h"

#include <QMainWindow>
#include <memory>

namespace Ui {
class MainWindow;
}
class Dialogs;
class DraftKeeper;
class FixedCellEditor;
class LengthWatch;
class PictureButton;
struct Platform;

// The handset window: the text box in two widths, its count, the two picture
// buttons and the menu.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(const Platform &platform, Dialogs &dialogs, QWidget *parent = nullptr);
    ~MainWindow() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void changeSettings(const Settings &settings);
    void setLineWidth(LineWidth width);

    void releaseAction();
    void send();
    void copyToClipboard();
    void describeAction();
    void lookUpMailProgram();
    void releaseClear();
    void openSettings();
    void openHelp();

    FixedCellEditor *box(LineWidth width) const;
    FixedCellEditor *currentBox() const;
    QString currentMessage() const;
    void showActionPictures();
    void showPictures(PictureButton *button, const QString &name, const QString &builtIn);

    std::unique_ptr<Ui::MainWindow> m_ui;
    const Platform &m_platform;
    Dialogs &m_dialogs;
    Settings m_settings;
    DesktopMailProgram m_mailProgram;
    DraftKeeper *m_draft = nullptr;
    LengthWatch *m_length = nullptr;
};
