#pragma once

#include <QAbstractButton>
#include <QKeySequence>
#include <QPixmap>

class QShortcut;

// A picture that acts as a button. Qt's button behaviour decides what a press
// is (the left button only; pressed while the pointer is held over it; a
// release elsewhere does nothing), and its owner chooses the pictures:
// pressed() and released() mark the look, clicked() the action. Keys and
// screen readers press it too, without it ever taking the focus.
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
    // Keys that press the picture from anywhere in its window; Qt's own
    // shortcut property takes only one.
    void setShortcuts(const QList<QKeySequence> &keys);
    QList<QKeySequence> shortcuts() const { return m_keys; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    QString m_pictureFile;
    QList<QKeySequence> m_keys;
    QShortcut *m_shortcut = nullptr;
};
