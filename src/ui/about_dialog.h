#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AboutDialog;
}
struct Platform;

// The version window: the program's name and version, and a button that
// opens the home page in the browser.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const Platform &platform, QWidget *owner);
    ~AboutDialog() override;

private:
    void openHomePage();

    std::unique_ptr<Ui::AboutDialog> m_ui;
    const Platform &m_platform;
};
