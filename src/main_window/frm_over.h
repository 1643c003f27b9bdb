#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class FrmOver;
}

// Tells the user that the text has grown past 200 half-width characters. It
// has no Qt parent, so that it is a window of its own with a task-bar button,
// and is application modal instead; the caller keeps it on its stack.
class FrmOver : public QDialog {
    Q_OBJECT
public:
    explicit FrmOver(QWidget *owner);
    ~FrmOver() override;

private:
    void Form_Load();
    void cmdOK_Click();

    std::unique_ptr<Ui::FrmOver> ui;
};
