#include "actions/frm_copy.h"

#include "layouts/dialog_frame.h"
#include "layouts/window_style.h"
#include "settings/shared_state.h"
#include "ui_frmCopy.h"

frmCopy::frmCopy(SharedState &state, QWidget *owner)
    : QDialog(owner, DialogFrame::windowFlags(Qt::Dialog)),
      state_(state),
      ui(std::make_unique<Ui::frmCopy>())
{
    ui->setupUi(this);
    DialogFrame::dress(this, DialogFrame::EscapeKey::Ignored);
    // A parented dialog would open over its owner; this one belongs mid-screen.
    DialogFrame::centreOnScreen(this, owner);
    // With two controls the tab order is only a ring; say where it starts.
    ui->cmdOK->setFocus();
    connect(ui->ChkMsgShow, &QCheckBox::clicked, this, &frmCopy::ChkMsgShow_Click);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmCopy::cmdOK_Click);
    Form_Load();
}

frmCopy::~frmCopy() = default;

void frmCopy::Form_Load()
{
    WindowStyle::applyBackground(this, WindowStyle::PanelColor);
    WindowStyle::applyBackground(ui->ChkMsgShow, WindowStyle::PanelColor);
}

// Takes effect at once, whichever way the notice is then closed.
void frmCopy::ChkMsgShow_Click()
{
    state_.CopyMsgShow = !ui->ChkMsgShow->isChecked();
}

void frmCopy::cmdOK_Click()
{
    accept();
}
