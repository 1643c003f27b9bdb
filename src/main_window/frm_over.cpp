#include "main_window/frm_over.h"

#include "layouts/dialog_frame.h"
#include "layouts/window_style.h"
#include "ui_FrmOver.h"

FrmOver::FrmOver(QWidget *owner)
    : QDialog(nullptr, DialogFrame::windowFlags(Qt::Window)),
      ui(std::make_unique<Ui::FrmOver>())
{
    ui->setupUi(this);
    DialogFrame::dress(this, DialogFrame::EscapeKey::Ignored);
    setWindowModality(Qt::ApplicationModal);
    DialogFrame::centreOnScreen(this, owner);
    connect(ui->cmdOK, &QPushButton::clicked, this, &FrmOver::cmdOK_Click);
    Form_Load();
}

FrmOver::~FrmOver() = default;

void FrmOver::Form_Load()
{
    WindowStyle::applyBackground(this, WindowStyle::PanelColor);
}

void FrmOver::cmdOK_Click()
{
    accept();
}
