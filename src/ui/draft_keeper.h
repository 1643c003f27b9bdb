#pragma once

#include "core/settings.h"
#include "core/stored_draft.h"
#include "ui/save_timer.h"

#include <QObject>

class QPlainTextEdit;
struct Platform;

// Keeps the draft and the settings in the store: the stored draft is put into
// the box when this is made, both are written in the background a moment
// after they change, and once more when the window closes. A draft too long
// to edit swiftly is first kept whole in a file of its own, and the box gets
// the part that fits.
class DraftKeeper : public QObject {
    Q_OBJECT
public:
    DraftKeeper(const Platform &platform, QPlainTextEdit *box, const Settings &settings, QObject *parent);

    // The settings written from now on, saved as a change of the text is.
    void keep(const Settings &settings);
    // Writes at once; a failure is told, naming the file, whose last saved
    // content stays as it was.
    void saveNow();

private:
    void keepWholeDraft();
    bool write();

    const Platform &m_platform;
    QPlainTextEdit *m_box;
    Settings m_settings;
    StoredDraft m_draft;
    SaveTimer m_saveTimer;
};
