#pragma once

#include "ui/dialog_frame.h"

#include <memory>

namespace Ui {
class CopyNotice;
}

// Says that the text is on the clipboard and offers never to say so again.
// The copy follows however it is closed.
class CopyNotice : public Notice {
    Q_OBJECT
public:
    explicit CopyNotice(QWidget *owner);
    ~CopyNotice() override;

    // False once the user ticked "don't show this again".
    bool showAgain() const;

private:
    std::unique_ptr<Ui::CopyNotice> m_ui;
};
