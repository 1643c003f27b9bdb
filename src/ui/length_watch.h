#pragma once

#include "core/over_limit.h"

#include <QList>
#include <QObject>

class Dialogs;
class FixedCellEditor;
class QLabel;
class QTextDocument;
class QWidget;

// Shows the count of the text the boxes share, and the notice once the text
// rises past the recommended length and nothing is being composed.
class LengthWatch : public QObject {
    Q_OBJECT
public:
    // The text there is now is counted, but a long one raises no notice: the
    // user has seen it before.
    LengthWatch(const QList<FixedCellEditor *> &boxes, QLabel *count, Dialogs &dialogs, QWidget *window);

    void setNoticeWanted(bool wanted) { m_noticeWanted = wanted; }

private:
    QTextDocument *document() const;
    qsizetype showCount();
    void update();
    void showNotice();

    QList<FixedCellEditor *> m_boxes;
    QLabel *m_count;
    Dialogs &m_dialogs;
    QWidget *m_window;
    OverLimitWatch m_overLimit;
    bool m_noticeWanted = true;
    bool m_noticeDue = false;
    bool m_noticeOpen = false;
};
