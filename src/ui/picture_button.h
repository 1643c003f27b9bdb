#pragma once

#include <QAbstractButton>
#include <QKeySequence>
#include <QPixmap>

class QShortcut;

// A picture that acts as a button. Qt's button behaviour decides what a press
// is (the left button only; pressed while the pointer is held over it; a
// release elsewhere does nothing), and its owner chooses the pictures:
// pressed() and released() mark the look, clicked() the action. Keys and
// screen readers press it too; Tab reaches it, a click leaves the focus alone.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget *parent = nullptr);

    // Shows the picture at its own size; `fileName` is remembered so that the
    // current look can be told without comparing pixels.
    void showPicture(const QPixmap &picture, const QString &fileName = {});
    QString pictureFile() const { return m_pictureFile; }

    // The name read out and shown in the tool tip, with the first shortcut.
    void setName(const QString &name);
    // What pressing it does, read out after the name and shown in the tool
    // tip in its place; empty: the tool tip shows the name.
    void setDescription(const QString &description);
    // Keys that press the picture from anywhere in its window; Qt's own
    // shortcut property takes only one.
    void setShortcuts(const QList<QKeySequence> &keys);
    QList<QKeySequence> shortcuts() const { return m_keys; }

Q_SIGNALS:
    // The tool tip is about to show, with the description as it is now.
    void toolTipWanted();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void updateToolTip();

    QPixmap m_picture;
    QString m_pictureFile;
    QList<QKeySequence> m_keys;
    QShortcut *m_shortcut = nullptr;
};
