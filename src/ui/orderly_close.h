#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Closes the program the way the user would, so that the text and settings
// are saved: any modal window first, as by its close box, then the main
// window. Used when the program is asked to end from outside (a signal, the
// end of the desktop session).
class OrderlyClose : public QObject {
    Q_OBJECT
public:
    explicit OrderlyClose(QWidget *mainWindow, QObject *parent = nullptr);

    void request();

private:
    void closeNext();

    QPointer<QWidget> m_mainWindow;
    QPointer<QWidget> m_lastModal;
    int m_attemptsOnSameModal = 0;
};
