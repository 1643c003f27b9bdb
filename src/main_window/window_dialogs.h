#pragma once

#include "main_window/modal_dialogs.h"
#include "platform/platform.h"
#include "settings/shared_state.h"

// The real windows behind ModalDialogs.
class WindowDialogs final : public ModalDialogs {
public:
    WindowDialogs(SharedState &state, Platform &platform) : state_(state), platform_(platform) {}

    void showOverNotice(QWidget *owner) override;
    void showCopyNotice(QWidget *owner) override;
    void askClear(QWidget *owner) override;
    void showConfig(QWidget *owner, const SetCopyPicture &setCopyPicture) override;
    void showVersion(QWidget *owner) override;

private:
    SharedState &state_;
    Platform &platform_;
};
