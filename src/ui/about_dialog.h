#pragma once

#include <QDialog>
#include <QString>
#include <memory>

struct Platform;

namespace Ui {
class AboutDialog;
}

// The home page the version window names and opens: none unless the build
// was given an address (LARKPAD_HOMEPAGE_URL).
struct HomePage {
    QString address;
    QString title;

    static HomePage configured();
};

// The version window: the program's name and version, and a button that
// opens the home page in the browser when there is one.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const Platform &platform, const HomePage &homePage, QWidget *owner);
    ~AboutDialog() override;

private:
    void openHomePage();

    std::unique_ptr<Ui::AboutDialog> m_ui;
    const Platform &m_platform;
    const HomePage m_homePage;
};
