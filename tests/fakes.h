#pragma once

#include "platform/platform.h"
#include "ui/dialogs.h"

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
    void write(const QString &key, const QString &value) override { values.insert(key, value); }
    bool flush() override { return flushSucceeds; }
    QString location() const override { return QStringLiteral("/fake/Larkpad.ini"); }
    QString keepAside(const QString &text) override
    {
        keptAside << text;
        return QStringLiteral("/fake/draft.txt");
    }

    QMap<QString, QString> values;
    QStringList keptAside;
    bool flushSucceeds = true;
};

// Records what it was asked to open; every launch ends as `result` says.
class FakeLauncher final : public Launcher {
public:
    void open(const QString &target, Done done) override
    {
        targets << target;
        done(result);
    }
    QStringList targets;
    LaunchResult result = LaunchResult::Started;
};

// Keeps the text of every message shown.
class FakeMessageBox final : public MessageBox {
public:
    void show(const QString &text, const QString &, MessageStyle) override { shown << text; }
    QStringList shown;
};

class FakeClipboard final : public Clipboard {
public:
    void clear() override { text.reset(); }
    void setText(const QString &value) override { text = value; }
    std::optional<QString> text = QStringLiteral("old clipboard content");
};

// Every file loads as a 62 x 38 picture of a colour of its own.
class FakePictureLoader final : public PictureLoader {
public:
    std::optional<QPixmap> load(const QString &, const QString &name) override
    {
        QPixmap pixmap(62, 38);
        pixmap.fill(colourOf(name));
        return pixmap;
    }
    static QColor colourOf(const QString &name) { return QColor::fromRgb(qHash(name) & 0xFFFFFF); }
};

// Answers every look-up at once with `program`, and counts them.
class FakeMailProgramLookup final : public MailProgramLookup {
public:
    void lookUp(Found found) override
    {
        ++lookUps;
        found(program);
    }
    DesktopMailProgram program;
    int lookUps = 0;
};

struct FakePlatform {
    FakeSettingsStore store;
    FakeLauncher launcher;
    FakeMessageBox messages;
    FakeClipboard clipboard;
    FakePictureLoader pictures;
    FakeMailProgramLookup mailProgram;

    Platform platform() { return {store, launcher, messages, clipboard, pictures, mailProgram}; }
};

// Records which window the main window opened and answers as `answer` says;
// `during` plays the user's part while it is open.
class FakeDialogs final : public Dialogs {
public:
    void showOverLimitNotice(QWidget *) override { record(QStringLiteral("over")); }
    bool showCopyNotice(QWidget *) override { return record(QStringLiteral("copy"), true); }
    ClearAnswer askClear(QWidget *) override { return record(QStringLiteral("clear"), clearAnswer); }
    SettingsEdit editSettings(const Settings &settings, QWidget *) override
    {
        return record(QStringLiteral("settings"), SettingsEdit{settings, false});
    }
    void showAbout(QWidget *) override { record(QStringLiteral("about")); }
    void showPasteNotice(QWidget *) override { record(QStringLiteral("paste")); }
    void showInsertionRefused(qsizetype room, TextEntry entry, QWidget *) override
    {
        const QStringList entries{"", "paste", "input", "replacement"};
        record(QStringLiteral("refused %1, %2 fit").arg(entries.at(int(entry))).arg(room));
    }
    void showHelp(const QString &, QWidget *) override { record(QStringLiteral("help")); }

    QStringList opened;
    ClearAnswer clearAnswer{true, true};
    std::function<void()> during;

private:
    template <typename Answer = bool>
    Answer record(const QString &window, Answer answer = {})
    {
        opened << window;
        if (during)
            during();
        return answer;
    }
};
