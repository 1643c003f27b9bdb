#include "ui/orderly_close.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

namespace {

// A modal window that refuses its close box this often is rejected instead.
constexpr int CloseAttemptsBeforeReject = 3;

} // namespace

OrderlyClose::OrderlyClose(QWidget *mainWindow, QObject *parent)
    : QObject(parent), m_mainWindow(mainWindow)
{
}

void OrderlyClose::request()
{
    closeNext();
}

// Each modal window runs its own event loop inside the code that opened it;
// closing one lets that code finish (a copy notice still copies) before the
// next one, or the main window, is closed on a later turn of the loop.
void OrderlyClose::closeNext()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal) {
        if (m_mainWindow)
            m_mainWindow->close();
        return;
    }
    m_attemptsOnSameModal = modal == m_lastModal ? m_attemptsOnSameModal + 1 : 0;
    m_lastModal = modal;
    auto *dialog = qobject_cast<QDialog *>(modal);
    if (m_attemptsOnSameModal >= CloseAttemptsBeforeReject && dialog)
        dialog->reject();
    else
        modal->close();
    QTimer::singleShot(0, this, &OrderlyClose::closeNext);
}
