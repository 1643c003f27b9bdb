#pragma once

#include "platform/launcher.h"

#include <QObject>

// Runs xdg-open with the target as its one argument. A URL goes over as an
// encoded URI, a file path as it is. xdg-open may stay until the handler it
// started ends (with no desktop environment detected it runs the handler in
// the foreground), so it runs in a session of its own: an opener that has
// not failed within a short grace period counts as started, and it is
// reaped whenever it ends. Neither it nor the handler ends with this program.
class XdgLauncher final : public QObject, public Launcher {
    Q_OBJECT
public:
    explicit XdgLauncher(QObject *parent = nullptr);

    // Deleted while launches are pending, it neither ends them nor reports.
    void open(const QString &target, Done done) override;
};
