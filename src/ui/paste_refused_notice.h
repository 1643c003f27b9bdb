#pragma once

#include "ui/dialog_frame.h"
#include "ui/text_entry.h"

#include <memory>

namespace Ui {
class PasteRefusedNotice;
}

// Says that text was refused because the box would have passed its limit,
// naming how it came in, and how many characters still fit.
class PasteRefusedNotice : public Notice {
    Q_OBJECT
public:
    PasteRefusedNotice(qsizetype room, TextEntry entry, QWidget *owner);
    ~PasteRefusedNotice() override;

private:
    std::unique_ptr<Ui::PasteRefusedNotice> m_ui;
};
