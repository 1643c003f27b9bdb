#pragma once

#include <QKeySequence>
#include <QLabel>
#include <QTimer>

class QShortcut;

// A picture that acts as a button: it reports every press and release of any
// mouse button on it and leaves the choice of pictures to its owner. Keys and
// screen readers press it too, without it ever taking the focus.
class PictureButton : public QLabel {
    Q_OBJECT
public:
    explicit PictureButton(QWidget *parent = nullptr);

    // Shows the picture at its own size; `fileName` is remembered so that the
    // current look can be told without comparing pixels.
    void showPicture(const QPixmap &picture, const QString &fileName);
    QString pictureFile() const { return m_pictureFile; }

    // The name read out and shown in the tool tip, with the first shortcut.
    void setName(const QString &name);
    // What pressing it does, read out after the name and shown in the tool
    // tip in its place; empty: the tool tip shows the name.
    void setDescription(const QString &description);
    // Keys that press the picture from anywhere in its window.
    void setShortcuts(const QList<QKeySequence> &keys);
    QList<QKeySequence> shortcuts() const { return m_keys; }

    // A press now and the release a moment later, so that the pressed picture
    // shows as for a click by mouse.
    void animateClick();

Q_SIGNALS:
    void mouseDown();
    void mouseUp();
    // The tool tip is about to show, with the description as it is now.
    void toolTipWanted();

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void updateToolTip();

    QString m_pictureFile;
    QList<QKeySequence> m_keys;
    QShortcut *m_shortcut = nullptr;
    QTimer m_release;
};
