#pragma once

#include "settings/shared_state.h"

#include <QDialog>
#include <array>
#include <memory>

class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace Ui {
class frmSendDetail;
}

// The send-details dialog: the three destination and subject slots, which of
// them is in use, and whether destination and subject go into the mail.
// Answers through SharedState only, and only on OK.
class frmSendDetail : public QDialog {
    Q_OBJECT

public:
    frmSendDetail(SharedState &state, QWidget *owner);
    ~frmSendDetail() override;

    // Esc and the close box end up here, so they do what "キャンセル" does.
    void reject() override;

private:
    void Form_Load();
    void OptSetting_Click(int index);
    void cmdOK_Click();
    void cmdCancel_Click();

    std::unique_ptr<Ui::frmSendDetail> ui;
    SharedState &state_;

    // Slot i is made of the members with index i.
    std::array<QRadioButton *, SharedState::SlotCount> OptSetting;
    std::array<QFrame *, SharedState::SlotCount> Shape;
    std::array<QLabel *, SharedState::SlotCount> lblAtesaki;
    std::array<QLineEdit *, SharedState::SlotCount> txtAtena;
    std::array<QLabel *, SharedState::SlotCount> lblKenmei;
    std::array<QLineEdit *, SharedState::SlotCount> txtKenmei;
};

