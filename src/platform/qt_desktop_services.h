#pragma once

#include "platform/desktop_services.h"
#include "platform/picture_loader.h"

class QtMessageBox final : public MessageBox {
public:
    void show(const QString &text, const QString &title, MessageStyle style) override;
};

class QtClipboard final : public Clipboard {
public:
    void clear() override;
    void setText(const QString &text) override;
};

// Reads the file at every call, as the buttons want their look to follow the
// files; a failure keeps the caller's picture and says so once on stderr.
class FilePictureLoader final : public PictureLoader {
public:
    std::optional<QPixmap> load(const QString &folder, const QString &name) override;
};
