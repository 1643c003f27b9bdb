#pragma once

#include <QPixmap>
#include <QString>
#include <optional>

class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // The picture file `name` of the data folder `folder` (letter case of
    // both ignored), or nothing when it is missing or unreadable.
    virtual std::optional<QPixmap> load(const QString &folder, const QString &name) = 0;
};
