#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

// Underlines, in an editing box, the characters a phone will not show as
// written: a red wave where it shows "?", an orange dotted line under a
// 機種依存文字. Only the changed block is looked at again, character by
// character, so that a mark never splits a letter from its combining marks.
class PhoneCharacterHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit PhoneCharacterHighlighter(QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat m_missing;
    QTextCharFormat m_vendorExtension;
};
