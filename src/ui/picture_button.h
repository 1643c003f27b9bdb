#pragma once

#include <QLabel>

// A picture that acts as a button: it reports every press and release of any
// mouse button on it and leaves the choice of pictures to its owner.
class PictureButton : public QLabel {
    Q_OBJECT
public:
    explicit PictureButton(QWidget *parent = nullptr);

    // Shows the picture at its own size; `fileName` is remembered so that the
    // current look can be told without comparing pixels.
    void showPicture(const QPixmap &picture, const QString &fileName);
    QString pictureFile() const { return m_pictureFile; }

Q_SIGNALS:
    void mouseDown();
    void mouseUp();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_pictureFile;
};
