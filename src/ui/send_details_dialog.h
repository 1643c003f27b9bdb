#pragma once

#include "core/settings.h"

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace Ui {
class SendDetailsDialog;
}

// The send-details dialog: the three destination and subject slots, which of
// them is in use, and whether destination and subject go into the mail.
class SendDetailsDialog : public QDialog {
    Q_OBJECT
public:
    // `sendTo` is what 送信 opens, which the check boxes name.
    SendDetailsDialog(const SendDetails &details, SendTo sendTo, QWidget *owner);
    ~SendDetailsDialog() override;

    // The details as the controls hold them now.
    SendDetails details() const;

    // Opens the dialog modally; the edited details when the user pressed OK.
    static std::optional<SendDetails> edit(const SendDetails &details, SendTo sendTo, QWidget *owner);

private:
    void markSelectedSlot();

    std::unique_ptr<Ui::SendDetailsDialog> m_ui;

    // Slot i is made of the members with index i.
    std::array<QRadioButton *, SendDetails::SlotCount> m_slotButtons;
    std::array<QLabel *, SendDetails::SlotCount> m_destinationLabels;
    std::array<QLineEdit *, SendDetails::SlotCount> m_destinations;
    std::array<QLabel *, SendDetails::SlotCount> m_subjectLabels;
    std::array<QLineEdit *, SendDetails::SlotCount> m_subjects;
};
