#include "settings/frm_send_detail.h"

#include "layouts/dialog_frame.h"
#include "layouts/window_style.h"
#include "ui_frmSendDetail.h"

#include <QButtonGroup>

namespace {

const QColor SelectedSlotColor{255, 0, 0};
const QColor OtherSlotColor{0, 0, 0};

} // namespace

frmSendDetail::frmSendDetail(SharedState &state, QWidget *owner)
    : QDialog(owner, DialogFrame::windowFlags(Qt::Dialog)),
      ui(std::make_unique<Ui::frmSendDetail>()),
      state_(state)
{
    ui->setupUi(this);
    OptSetting = {ui->OptSetting_0, ui->OptSetting_1, ui->OptSetting_2};
    Shape = {ui->Shape_0, ui->Shape_1, ui->Shape_2};
    lblAtesaki = {ui->lblAtesaki_0, ui->lblAtesaki_1, ui->lblAtesaki_2};
    txtAtena = {ui->txtAtena_0, ui->txtAtena_1, ui->txtAtena_2};
    lblKenmei = {ui->lblKenmei_0, ui->lblKenmei_1, ui->lblKenmei_2};
    txtKenmei = {ui->txtKenmei_0, ui->txtKenmei_1, ui->txtKenmei_2};

    // The boxes are drawn around the slots' labels and text boxes, so they
    // must lie beneath them whatever order they were made in, or they would
    // swallow the clicks meant for the text boxes.
    for (QFrame *shape : Shape)
        shape->lower();

    auto *slotButtons = new QButtonGroup(this);
    for (int i = 0; i < SharedState::SlotCount; ++i)
        slotButtons->addButton(OptSetting[i], i);
    connect(slotButtons, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked)
            OptSetting_Click(index);
    });
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmSendDetail::cmdOK_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmSendDetail::cmdCancel_Click);

    DialogFrame::dress(this, DialogFrame::EscapeKey::Rejects);
    DialogFrame::centreOnScreen(this, owner);
    ui->chkAtesaki->setFocus();
    Form_Load();
}

frmSendDetail::~frmSendDetail() = default;

void frmSendDetail::reject()
{
    cmdCancel_Click();
}

void frmSendDetail::Form_Load()
{
    WindowStyle::applyBackground(this, WindowStyle::PanelColor);
    WindowStyle::applyBackground(ui->chkAtesaki, WindowStyle::PanelColor);
    WindowStyle::applyBackground(ui->chkKenmei, WindowStyle::PanelColor);
    for (int i = 0; i < SharedState::SlotCount; ++i) {
        WindowStyle::applyBackground(OptSetting[i], WindowStyle::PanelColor);
        txtAtena[i]->setText(state_.Atesaki[i]);
        txtKenmei[i]->setText(state_.Kenmei[i]);
    }
    // A hand-edited settings file can hold any number here; rather than show
    // no slot in use, fall back on the first one.
    const bool known = state_.SettingNo >= 0 && state_.SettingNo < SharedState::SlotCount;
    OptSetting[known ? state_.SettingNo : 0]->setChecked(true);
    // Only 1 means "use"; any other stored value shows as not ticked.
    ui->chkAtesaki->setChecked(state_.UseAtesaki == 1);
    ui->chkKenmei->setChecked(state_.UseKenmei == 1);
}

void frmSendDetail::OptSetting_Click(int)
{
    for (int i = 0; i < SharedState::SlotCount; ++i) {
        const QColor &color = OptSetting[i]->isChecked() ? SelectedSlotColor : OtherSlotColor;
        WindowStyle::applyTextColor(OptSetting[i], color);
        WindowStyle::applyTextColor(lblAtesaki[i], color);
        WindowStyle::applyTextColor(lblKenmei[i], color);
    }
}

void frmSendDetail::cmdOK_Click()
{
    for (int i = 0; i < SharedState::SlotCount; ++i) {
        state_.Atesaki[i] = txtAtena[i]->text();
        state_.Kenmei[i] = txtKenmei[i]->text();
        if (OptSetting[i]->isChecked())
            state_.SettingNo = static_cast<qint16>(i);
    }
    state_.UseAtesaki = ui->chkAtesaki->isChecked() ? 1 : 0;
    state_.UseKenmei = ui->chkKenmei->isChecked() ? 1 : 0;
    accept();
}

void frmSendDetail::cmdCancel_Click()
{
    QDialog::reject();
}

