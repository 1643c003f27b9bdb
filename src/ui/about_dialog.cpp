#include "ui/about_dialog.h"

#include "ui/dialog_frame.h"
#include "ui/launch.h"
#include "ui/window_style.h"
#include "ui_about_dialog.h"

HomePage HomePage::configured()
{
    return {QStringLiteral(LARKPAD_HOMEPAGE_URL), QStringLiteral(LARKPAD_HOMEPAGE_TITLE)};
}

AboutDialog::AboutDialog(const Platform &platform, const HomePage &homePage, QWidget *owner)
    : QDialog(owner, DialogFrame::windowFlags(Qt::Dialog)),
      m_ui(std::make_unique<Ui::AboutDialog>()),
      m_platform(platform),
      m_homePage(homePage)
{
    m_ui->setupUi(this);
    m_ui->Image1->setPixmap(WindowStyle::builtInPicture(QStringLiteral("icon32"), {32, 32}));
    // No made-up address stands in for a missing one: without it, the button goes.
    m_ui->CmdHP->setVisible(!homePage.address.isEmpty());
    m_ui->CmdHP->setText(homePage.title.isEmpty() ? homePage.address
                                                  : QStringLiteral("%1 （%2）").arg(homePage.address, homePage.title));
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
    launchAndReport(m_platform, m_homePage.address, LaunchFamily::Browser,
                    parentWidget());
}
