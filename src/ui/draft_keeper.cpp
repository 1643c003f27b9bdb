#include "ui/draft_keeper.h"

#include "core/message_text.h"
#include "platform/platform.h"

#include <QLocale>
#include <QPlainTextEdit>
#include <QTimer>

DraftKeeper::DraftKeeper(const Platform &platform, QPlainTextEdit *box, const Settings &settings, QObject *parent)
    : QObject(parent), m_platform(platform), m_box(box), m_settings(settings), m_draft(loadDraft(platform.store))
{
    if (m_draft.isCut())
        keepWholeDraft();
    box->setPlainText(m_draft.boxText());
    connect(box->document(), &QTextDocument::contentsChanged, &m_saveTimer, &SaveTimer::noteChange);
    // A failed write in the background says nothing: the one at close tells.
    connect(&m_saveTimer, &SaveTimer::due, this, &DraftKeeper::write);
}

// Kept whole beside the settings before the box opens with the part that
// fits; told once the window is up. Opened whole if it cannot be kept.
void DraftKeeper::keepWholeDraft()
{
    const QString kept = m_platform.store.keepAside(m_draft.stored());
    // Once kept, the part is the draft; the whole need not stay in memory.
    m_draft = kept.isEmpty() ? StoredDraft(m_draft.stored(), StoredDraft::Opening::Whole)
                             : StoredDraft(MessageText::fromBox(m_draft.boxText()));
    if (kept.isEmpty())
        return;
    QTimer::singleShot(0, this, [this, kept] {
        m_platform.messages.show(QStringLiteral("保存されていた文書は長すぎるため、最初の %1 文字だけを開きました。\r\n"
                                                "文書の全体は次のファイルに保存してあります。\r\n%2")
                                     .arg(QLocale(QLocale::Japanese).toString(MessageText::MaximumCharacters), kept),
                                 QStringLiteral("ラークパッド"), MessageStyle::Warning);
    });
}

void DraftKeeper::keep(const Settings &settings)
{
    m_settings = settings;
    m_saveTimer.noteChange();
}

bool DraftKeeper::write()
{
    m_saveTimer.saved();
    saveDraft(m_draft.toStore(m_box->document()->toRawText()), m_platform.store);
    saveSettings(m_settings, m_platform.store);
    return m_platform.store.flush();
}

void DraftKeeper::saveNow()
{
    if (!write()) {
        m_platform.messages.show(QStringLiteral("設定と文書を保存できませんでした。\r\n"
                                                "保存先: %1\r\n"
                                                "前回保存した内容はそのまま残っています。")
                                     .arg(m_platform.store.location()),
                                 QStringLiteral("ラークパッド"), MessageStyle::Error);
    }
}
