#pragma once

#include <QTextCharFormat>
#include <QTextLayout>

// Underlines the characters a phone will not show as written: a red wave
// where it shows "?", an orange dotted line under a 機種依存文字. Asked for
// each line as it is drawn, one table look-up a unit.
class PhoneCharacterHighlighter {
public:
    PhoneCharacterHighlighter();

    QList<QTextLayout::FormatRange> formats(const QString &text) const;

    // The box's text as the box hands it on (QTextDocument::toPlainText): a
    // no-break space goes as a space and a line separator as a line break,
    // both of which every phone shows.
    static QString asSent(QString boxText);

private:
    QTextCharFormat m_missing;
    QTextCharFormat m_vendorExtension;
};
