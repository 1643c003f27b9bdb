#include "help_version/frm_version.h"

#include "actions/shell_launch.h"
#include "layouts/dialog_frame.h"
#include "layouts/window_style.h"
#include "ui_frmVersion.h"

frmVersion::frmVersion(ShellLauncher &launcher, MessageBox &messages, QWidget *owner)
    : QDialog(owner, DialogFrame::windowFlags(Qt::Dialog)),
      ui(std::make_unique<Ui::frmVersion>()),
      launcher_(launcher),
      messages_(messages)
{
    ui->setupUi(this);
    ui->Image1->setPixmap(WindowStyle::builtInPicture(QStringLiteral("icon32"), {32, 32}));
    ui->CmdHP->setText(QStringLiteral(LARKPAD_HOMEPAGE_URL " （" LARKPAD_HOMEPAGE_TITLE "）"));
    connect(ui->CmdHP, &QPushButton::clicked, this, &frmVersion::CmdHP_Click);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmVersion::cmdOK_Click);

    // Keyed like a message box: Enter presses OK unless the focus is on the
    // home-page button, and Esc does nothing, there being no Cancel.
    DialogFrame::dress(this, DialogFrame::EscapeKey::Ignored);
    DialogFrame::centreOnScreen(this, owner);
    ui->cmdOK->setFocus();
    Form_Load();
}

frmVersion::~frmVersion() = default;

void frmVersion::Form_Load()
{
    WindowStyle::applyBackground(this, WindowStyle::PanelColor);
}

void frmVersion::CmdHP_Click()
{
    ShellLaunch(launcher_, messages_, QStringLiteral(LARKPAD_HOMEPAGE_URL), LaunchFamily::Browser);
}

void frmVersion::cmdOK_Click()
{
    accept();
}
