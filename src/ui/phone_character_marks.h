#pragma once

#include <QObject>

class FixedCellEditor;
class QContextMenuEvent;
class QHelpEvent;
class QPoint;
class QTextCursor;

// Marks, in one editing box, the characters a phone will not show as
// written; hovering one tells what will become of it, and the box's own
// context menu offers to put the form a phone shows in its place, for that
// character or for all of them. The editor itself is left as it is.
class PhoneCharacterMarks : public QObject {
    Q_OBJECT
public:
    explicit PhoneCharacterMarks(FixedCellEditor *editor);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTextCursor characterUnder(QPoint viewportPoint) const;
    void showToolTip(const QHelpEvent &event);
    void showContextMenu(const QContextMenuEvent &event, QPoint viewportPoint);
    void replaceAll();

    FixedCellEditor *m_editor;
};
