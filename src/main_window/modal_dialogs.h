#pragma once

#include <QString>
#include <functional>

class QWidget;

// The modal windows the main window opens. Each call creates the window
// afresh, waits until it has closed and returns nothing: answers come back
// through SharedState, as the windows write them.
class ModalDialogs {
public:
    using SetCopyPicture = std::function<void(const QString &pictureFile)>;

    virtual ~ModalDialogs() = default;

    virtual void showOverNotice(QWidget *owner) = 0;
    virtual void showCopyNotice(QWidget *owner) = 0;
    virtual void askClear(QWidget *owner) = 0;
    virtual void showConfig(QWidget *owner, const SetCopyPicture &setCopyPicture) = 0;
    virtual void showVersion(QWidget *owner) = 0;
};
