#include "ui/phone_character_highlighter.h"

#include "core/phone_characters.h"

PhoneCharacterHighlighter::PhoneCharacterHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
{
    m_missing.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    m_missing.setUnderlineColor(QColor(0xE0, 0x00, 0x00));
    m_vendorExtension.setUnderlineStyle(QTextCharFormat::DotLine);
    m_vendorExtension.setUnderlineColor(QColor(0xFF, 0x8C, 0x00));
}

void PhoneCharacterHighlighter::highlightBlock(const QString &text)
{
    for (const PhoneCharacters::Run &run : PhoneCharacters::runs(PhoneCharacters::asSent(text))) {
        setFormat(static_cast<int>(run.start), static_cast<int>(run.length),
                  run.kind == PhoneCharacters::Kind::Missing ? m_missing : m_vendorExtension);
    }
}
