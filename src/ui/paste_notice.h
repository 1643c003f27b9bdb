#pragma once

#include "ui/dialog_frame.h"

#include <memory>

namespace Ui {
class PasteNotice;
}

// Says that the text, too long for the webmail's compose page, is on the
// clipboard to paste into the page that opens without it.
class PasteNotice : public Notice {
    Q_OBJECT
public:
    explicit PasteNotice(QWidget *owner);
    ~PasteNotice() override;

private:
    std::unique_ptr<Ui::PasteNotice> m_ui;
};
