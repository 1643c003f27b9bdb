#include "ui/over_limit_notice.h"

#include "ui/dialog_frame.h"
#include "ui/window_style.h"
#include "ui_over_limit_notice.h"

OverLimitNotice::OverLimitNotice(QWidget *owner)
    : QDialog(nullptr, DialogFrame::windowFlags(Qt::Window)),
      m_ui(std::make_unique<Ui::OverLimitNotice>())
{
    m_ui->setupUi(this);
    DialogFrame::dress(this, DialogFrame::EscapeKey::Ignored);
    WindowStyle::applyBackground(this, WindowStyle::PanelColor);
    setWindowModality(Qt::ApplicationModal);
    DialogFrame::centreOnScreen(this, owner);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

OverLimitNotice::~OverLimitNotice() = default;
