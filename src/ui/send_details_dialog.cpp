#include "ui/send_details_dialog.h"

#include "core/send_description.h"
#include "ui/dialog_frame.h"
#include "ui/window_style.h"
#include "ui_send_details_dialog.h"

#include <QButtonGroup>

namespace {

const QColor SelectedSlotColor{255, 0, 0};
const QColor OtherSlotColor{0, 0, 0};

} // namespace

SendDetailsDialog::SendDetailsDialog(const SendDetails &details, SendTo sendTo, QWidget *owner)
    : QDialog(owner, DialogFrame::windowFlags(Qt::Dialog)),
      m_ui(std::make_unique<Ui::SendDetailsDialog>())
{
    m_ui->setupUi(this);
    m_slotButtons = {m_ui->OptSetting_0, m_ui->OptSetting_1, m_ui->OptSetting_2};
    m_destinationLabels = {m_ui->lblAtesaki_0, m_ui->lblAtesaki_1, m_ui->lblAtesaki_2};
    m_destinations = {m_ui->txtAtena_0, m_ui->txtAtena_1, m_ui->txtAtena_2};
    m_subjectLabels = {m_ui->lblKenmei_0, m_ui->lblKenmei_1, m_ui->lblKenmei_2};
    m_subjects = {m_ui->txtKenmei_0, m_ui->txtKenmei_1, m_ui->txtKenmei_2};

    // The boxes are drawn around the slots' labels and text boxes, so they
    // must lie beneath them whatever order they were made in, or they would
    // swallow the clicks meant for the text boxes.
    for (QFrame *shape : {m_ui->Shape_0, m_ui->Shape_1, m_ui->Shape_2})
        shape->lower();

    auto *slotButtons = new QButtonGroup(this);
    for (int i = 0; i < SendDetails::SlotCount; ++i)
        slotButtons->addButton(m_slotButtons[i], i);
    connect(slotButtons, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            markSelectedSlot();
    });
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    DialogFrame::dress(this, DialogFrame::EscapeKey::Rejects);
    DialogFrame::centreOnScreen(this, owner);
    m_ui->chkAtesaki->setFocus();

    WindowStyle::applyBackground(this, WindowStyle::PanelColor);
    WindowStyle::applyBackground(m_ui->chkAtesaki, WindowStyle::PanelColor);
    WindowStyle::applyBackground(m_ui->chkKenmei, WindowStyle::PanelColor);
    for (int i = 0; i < SendDetails::SlotCount; ++i) {
        WindowStyle::applyBackground(m_slotButtons[i], WindowStyle::PanelColor);
        m_destinations[i]->setText(details.destinations[i]);
        m_subjects[i]->setText(details.subjects[i]);
    }
    // A hand-edited settings file can hold any number here; rather than show
    // no slot in use, fall back on the first one.
    const bool known = details.selectedSlot >= 0 && details.selectedSlot < SendDetails::SlotCount;
    m_slotButtons[known ? details.selectedSlot : 0]->setChecked(true);
    // Only 1 means "use"; any other stored value shows as not ticked.
    m_ui->chkAtesaki->setChecked(details.useDestination == 1);
    m_ui->chkKenmei->setChecked(details.useSubject == 1);
    // The boxes fill a webmail's page too; they name what 送信 opens.
    const SendCaptions captions = sendCaptions(sendTo);
    m_ui->chkAtesaki->setText(captions.destination);
    m_ui->chkKenmei->setText(captions.subject);
}

SendDetailsDialog::~SendDetailsDialog() = default;

std::optional<SendDetails> SendDetailsDialog::edit(const SendDetails &details, SendTo sendTo, QWidget *owner)
{
    SendDetailsDialog dialog(details, sendTo, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.details();
}

void SendDetailsDialog::markSelectedSlot()
{
    for (int i = 0; i < SendDetails::SlotCount; ++i) {
        const QColor &color = m_slotButtons[i]->isChecked() ? SelectedSlotColor : OtherSlotColor;
        WindowStyle::applyTextColor(m_slotButtons[i], color);
        WindowStyle::applyTextColor(m_destinationLabels[i], color);
        WindowStyle::applyTextColor(m_subjectLabels[i], color);
    }
}

SendDetails SendDetailsDialog::details() const
{
    SendDetails details;
    for (int i = 0; i < SendDetails::SlotCount; ++i) {
        details.destinations[i] = m_destinations[i]->text();
        details.subjects[i] = m_subjects[i]->text();
        if (m_slotButtons[i]->isChecked())
            details.selectedSlot = i;
    }
    details.useDestination = m_ui->chkAtesaki->isChecked() ? 1 : 0;
    details.useSubject = m_ui->chkKenmei->isChecked() ? 1 : 0;
    return details;
}
