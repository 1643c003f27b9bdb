#include "ui/over_limit_notice.h"

#include "ui_over_limit_notice.h"

OverLimitNotice::OverLimitNotice(QWidget *owner)
    : Notice(owner, Placement::OwnWindow), m_ui(std::make_unique<Ui::OverLimitNotice>())
{
    m_ui->setupUi(this);
    finish(m_ui->cmdOK);
}

OverLimitNotice::~OverLimitNotice() = default;
