#pragma once

#include <QDialog>
#include <memory>

struct SharedState;

namespace Ui {
class frmCopy;
}

// Says that the text is on the clipboard and offers never to say so again.
// It returns no answer: the copy follows however it is closed.
class frmCopy : public QDialog {
    Q_OBJECT
public:
    frmCopy(SharedState &state, QWidget *owner);
    ~frmCopy() override;

private:
    void Form_Load();
    void ChkMsgShow_Click();
    void cmdOK_Click();

    SharedState &state_;
    std::unique_ptr<Ui::frmCopy> ui;
};
