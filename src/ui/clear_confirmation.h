#pragma once

#include "ui/dialog_frame.h"

#include <memory>

namespace Ui {
class ClearConfirmation;
}

// Asks before the text is cleared: exec() is Accepted for "削除する"; the
// other button, Esc and the close box keep the text.
class ClearConfirmation : public Notice {
    Q_OBJECT
public:
    explicit ClearConfirmation(QWidget *owner);
    ~ClearConfirmation() override;

    // False once the user ticked "don't ask again", whichever button then
    // closed the window.
    bool askAgain() const;

private:
    std::unique_ptr<Ui::ClearConfirmation> m_ui;
};
