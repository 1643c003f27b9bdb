#pragma once

#include "platform/launcher.h"

#include <QObject>

// Runs xdg-open with the target as its one argument. A URL goes over as an
// encoded URI, a file path as it is. xdg-open may stay until the handler it
// started ends, so it runs in the background and only its failure is
// reported, when it comes.
class XdgLauncher final : public QObject, public Launcher {
    Q_OBJECT
public:
    explicit XdgLauncher(QObject *parent = nullptr);

    void open(const QString &target, Done done) override;
};
