#pragma once

#include <QDialog>
#include <memory>

struct SharedState;

namespace Ui {
class frmClear;
}

// Asks before the text is cleared. The answer goes into
// SharedState::ClearAnswer, which the caller switches on before asking: only
// "削除しない" and the close box switch it off.
class frmClear : public QDialog {
    Q_OBJECT
public:
    frmClear(SharedState &state, QWidget *owner);
    ~frmClear() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Form_QueryUnload();
    void ChkMsgShow_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    SharedState &state_;
    std::unique_ptr<Ui::frmClear> ui;
};
