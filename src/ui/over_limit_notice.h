#pragma once

#include "ui/dialog_frame.h"

#include <memory>

namespace Ui {
class OverLimitNotice;
}

// Tells the user that the text has grown past 200 half-width characters. It
// has no Qt parent, so that it is a window of its own with a task-bar button,
// and is application modal instead; the caller keeps it on its stack.
class OverLimitNotice : public Notice {
    Q_OBJECT
public:
    explicit OverLimitNotice(QWidget *owner);
    ~OverLimitNotice() override;

private:
    std::unique_ptr<Ui::OverLimitNotice> m_ui;
};
