#pragma once

#include <QTextBrowser>

// The help pages read inside the program, for a desktop whose browser will
// not start: Qt's own rich-text browser over the same files, so that the
// contents' links and the pages' anchors work as in a browser.
class HelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    HelpWindow(const QString &page, QWidget *owner);

protected:
    QVariant loadResource(int type, const QUrl &name) override;
};
