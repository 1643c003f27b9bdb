#include "ui/draft_keeper.h"

#include "core/message_text.h"
#include "platform/platform.h"

#include <QPlainTextEdit>

DraftKeeper::DraftKeeper(const Platform &platform, QPlainTextEdit *box, const Settings &settings, QObject *parent)
    : QObject(parent), m_platform(platform), m_box(box), m_settings(settings)
{
    box->setPlainText(MessageText::toBox(loadDraft(platform.store)));
    connect(box->document(), &QTextDocument::contentsChanged, &m_saveTimer, &SaveTimer::noteChange);
    // A failed write in the background says nothing: the one at close tells.
    connect(&m_saveTimer, &SaveTimer::due, this, &DraftKeeper::write);
}

void DraftKeeper::keep(const Settings &settings)
{
    m_settings = settings;
    m_saveTimer.noteChange();
}

bool DraftKeeper::write()
{
    m_saveTimer.saved();
    saveDraft(MessageText::fromBox(m_box->toPlainText()), m_platform.store);
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
