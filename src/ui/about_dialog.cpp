#include "ui/about_dialog.h"

#include "ui/dialog_frame.h"
#include "ui/launch.h"
#include "ui/window_style.h"
#include "ui_about_dialog.h"

AboutDialog::AboutDialog(const Platform &platform, QWidget *owner)
    : QDialog(owner, DialogFrame::windowFlags(Qt::Dialog)),
      m_ui(std::make_unique<Ui::AboutDialog>()),
      m_platform(platform)
{
    m_ui->setupUi(this);
    m_ui->Image1->setPixmap(WindowStyle::builtInPicture(QStringLiteral("icon32"), {32, 32}));
    m_ui->CmdHP->setText(QStringLiteral(LARKPAD_HOMEPAGE_URL " （" LARKPAD_HOMEPAGE_TITLE "）"));
    connect(m_ui->CmdHP, &QPushButton::clicked, this, &AboutDialog::openHomePage);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    // Keyed like a message box: Enter presses OK unless the focus is on the
    // home-page button, and Esc does nothing, there being no Cancel.
    DialogFrame::dress(this, DialogFrame::EscapeKey::Ignored);
    DialogFrame::centreOnScreen(this, owner);
    WindowStyle::applyBackground(this, WindowStyle::PanelColor);
    m_ui->cmdOK->setFocus();
}

AboutDialog::~AboutDialog() = default;

// A failure that comes after this window has closed is still told while the
// main window is open.
void AboutDialog::openHomePage()
{
    launchAndReport(m_platform, QStringLiteral(LARKPAD_HOMEPAGE_URL), LaunchFamily::Browser,
                    parentWidget());
}
