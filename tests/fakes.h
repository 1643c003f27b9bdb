#pragma once

#include "main_window/modal_dialogs.h"
#include "platform/platform.h"
#include "settings/shared_state.h"

#include <QColor>
#include <QMap>
#include <QPixmap>
#include <QStringList>
#include <functional>
#include <optional>

// Stand-ins for the desktop that remember what was asked of them.

class FakeSettingsStore final : public SettingsStore {
public:
    QString read(const QString &key, const QString &defaultValue) const override
    {
        return values.value(key, defaultValue);
    }
    void write(const QString &key, const QString &value) override
    {
        values.insert(key, value);
        writtenKeys << key;
    }
    bool flush() override
    {
        ++flushes;
        return flushSucceeds;
    }
    QString location() const override { return QStringLiteral("/fake/Larkpad.ini"); }

    QMap<QString, QString> values;
    QStringList writtenKeys;
    int flushes = 0;
    bool flushSucceeds = true;
};

class FakeInstanceGuard final : public InstanceGuard {
public:
    bool anotherInstanceRunning() override { return running; }
    bool running = false;
};

// Reports the result given in `result`, at once or only when finish() is called.
class FakeLauncher final : public ShellLauncher {
public:
    void open(const QString &target, Done done) override
    {
        targets << target;
        if (deferred)
            pending = std::move(done);
        else
            done(result);
    }
    void finish() { std::exchange(pending, {})(result); }

    QStringList targets;
    int result = Started;
    bool deferred = false;
    Done pending;
};

struct ShownMessage {
    QString text;
    QString title;
    MessageStyle style;
};

class FakeMessageBox final : public MessageBox {
public:
    void show(const QString &text, const QString &title, MessageStyle style) override
    {
        shown.push_back({text, title, style});
    }
    std::vector<ShownMessage> shown;
};

class FakeBeeper final : public Beeper {
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

class FakeClipboard final : public Clipboard {
public:
    void clear() override
    {
        text.reset();
        ++clears;
    }
    void setText(const QString &value) override { text = value; }
    std::optional<QString> text = QStringLiteral("old clipboard content");
    int clears = 0;
};

// Every file loads as a 62 x 38 picture unless listed in `missing`.
class FakePictureLoader final : public PictureLoader {
public:
    std::optional<QPixmap> load(const QString &folder, const QString &name) override
    {
        requests << folder + u'/' + name;
        if (missing.contains(name, Qt::CaseInsensitive))
            return std::nullopt;
        QPixmap pixmap(62, 38);
        pixmap.fill(Qt::magenta);
        return pixmap;
    }
    QStringList requests;
    QStringList missing;
};

struct FakePlatform {
    FakeSettingsStore store;
    FakeInstanceGuard instance;
    FakeLauncher launcher;
    FakeMessageBox messages;
    FakeBeeper beeper;
    FakeClipboard clipboard;
    FakePictureLoader pictures;

    Platform platform() { return {store, instance, launcher, messages, beeper, clipboard, pictures}; }
};

// Records which window the main window opened; `answer` plays the user's part
// in it (for example switching ClearAnswer off as "削除しない" would).
class FakeDialogs final : public ModalDialogs {
public:
    void showOverNotice(QWidget *) override { record(QStringLiteral("FrmOver")); }
    void showCopyNotice(QWidget *) override { record(QStringLiteral("frmCopy")); }
    void askClear(QWidget *) override { record(QStringLiteral("frmClear")); }
    void showConfig(QWidget *, const SetCopyPicture &) override { record(QStringLiteral("frmConfig")); }
    void showVersion(QWidget *) override { record(QStringLiteral("frmVersion")); }

    QStringList opened;
    std::function<void(const QString &window)> answer;

private:
    void record(const QString &window)
    {
        opened << window;
        if (answer)
            answer(window);
    }
};
