#pragma once

#include "ui/dialog_frame.h"

#include <memory>

namespace Ui {
class PasteRefusedNotice;
}

// Says that a paste or drop was refused because the box would have passed its
// limit, and how many characters still fit.
class PasteRefusedNotice : public Notice {
    Q_OBJECT
public:
    PasteRefusedNotice(qsizetype room, QWidget *owner);
    ~PasteRefusedNotice() override;

private:
    std::unique_ptr<Ui::PasteRefusedNotice> m_ui;
};
