#include "actions/frm_clear.h"

#include "layouts/dialog_frame.h"
#include "layouts/window_style.h"
#include "settings/shared_state.h"
#include "ui_frmClear.h"

#include <QCloseEvent>

frmClear::frmClear(SharedState &state, QWidget *owner)
    : QDialog(owner, DialogFrame::windowFlags(Qt::Dialog)),
      state_(state),
      ui(std::make_unique<Ui::frmClear>())
{
    ui->setupUi(this);
    DialogFrame::dress(this, DialogFrame::EscapeKey::Ignored);
    // Not placed: QDialog opens a parented dialog in the middle of its owner.
    connect(ui->ChkMsgShow, &QCheckBox::clicked, this, &frmClear::ChkMsgShow_Click);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmClear::cmdOK_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmClear::cmdCancel_Click);
    Form_Load();
}

frmClear::~frmClear() = default;

// The buttons close through done(), whose own close event QDialog keeps to
// itself, so a close event of the open window is the user's close box.
void frmClear::closeEvent(QCloseEvent *event)
{
    if (isVisible())
        Form_QueryUnload();
    QDialog::closeEvent(event);
}

void frmClear::Form_Load()
{
    WindowStyle::applyBackground(this, WindowStyle::PanelColor);
    WindowStyle::applyBackground(ui->ChkMsgShow, WindowStyle::PanelColor);
}

// Closing from the title bar means "keep the text"; it never stops the close.
void frmClear::Form_QueryUnload()
{
    state_.ClearAnswer = false;
}

// Takes effect at once, whichever button then closes the window.
void frmClear::ChkMsgShow_Click()
{
    state_.ClearMsgShow = !ui->ChkMsgShow->isChecked();
}

void frmClear::cmdOK_Click()
{
    accept();
}

void frmClear::cmdCancel_Click()
{
    state_.ClearAnswer = false;
    reject();
}
