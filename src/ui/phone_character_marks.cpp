#include "ui/phone_character_marks.h"

#include "core/message_text.h"
#include "core/phone_characters.h"
#include "ui/fixed_cell_editor.h"
#include "ui/phone_character_highlighter.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QTextBlock>
#include <QToolTip>

namespace {

QString tipFor(const QString &character)
{
    switch (PhoneCharacters::kind(character)) {
    case PhoneCharacters::Kind::Missing:
        return QStringLiteral("「%1」は携帯電話では表示できません（「?」として送られます）。").arg(character);
    case PhoneCharacters::Kind::VendorExtension:
        return QStringLiteral("「%1」は機種依存文字です。相手の機種によっては正しく表示されません。").arg(character);
    case PhoneCharacters::Kind::Common:
        break;
    }
    return {};
}

} // namespace

PhoneCharacterMarks::PhoneCharacterMarks(FixedCellEditor *editor) : QObject(editor), m_editor(editor)
{
    // Boxes that show one document share its marks.
    if (!editor->document()->findChild<PhoneCharacterHighlighter *>())
        new PhoneCharacterHighlighter(editor->document());
    // A mouse's tool tip and context menu come to the viewport; a context
    // menu asked for from the keyboard comes to the editor.
    editor->installEventFilter(this);
    editor->viewport()->installEventFilter(this);
}

bool PhoneCharacterMarks::eventFilter(QObject *watched, QEvent *event)
{
    const bool onEditor = watched == m_editor;
    if (event->type() == QEvent::ToolTip && !onEditor) {
        showToolTip(*static_cast<QHelpEvent *>(event));
        return true;
    }
    if (event->type() == QEvent::ContextMenu) {
        const auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        // From the keyboard: the character after the caret.
        const QPoint point = menuEvent->reason() == QContextMenuEvent::Keyboard ? m_editor->cursorRect().center()
                             : onEditor ? m_editor->viewport()->mapFrom(m_editor, menuEvent->pos())
                                        : menuEvent->pos();
        showContextMenu(*menuEvent, point);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// The cursor that selects the marked character drawn at the point, or a null
// cursor when the point is not on one.
QTextCursor PhoneCharacterMarks::characterUnder(QPoint viewportPoint) const
{
    const QTextCursor nearest = m_editor->cursorForPosition(viewportPoint);
    const QTextBlock block = nearest.block();
    const QString text = block.text();
    // The nearest caret position lies on one side of the character pointed at.
    qsizetype inBlock = nearest.positionInBlock();
    if (viewportPoint.x() < m_editor->cursorRect(nearest).center().x())
        --inBlock;
    const QStringView character = PhoneCharacters::characterAt(text, inBlock);
    if (character.isEmpty()
        || PhoneCharacters::kind(PhoneCharacters::asSent(character.toString())) == PhoneCharacters::Kind::Common)
        return {};
    const int start = static_cast<int>(character.data() - text.data());
    const int end = start + static_cast<int>(character.size());
    QTextCursor selection(block);
    selection.setPosition(block.position() + start);
    const QRect caret = m_editor->cursorRect(selection);
    const QTextLine line = block.layout()->lineForTextPosition(start);
    const QRectF drawn(caret.center().x(), caret.top(), line.cursorToX(end) - line.cursorToX(start), caret.height());
    if (!drawn.contains(viewportPoint))
        return {};
    selection.setPosition(block.position() + end, QTextCursor::KeepAnchor);
    return selection;
}

void PhoneCharacterMarks::showToolTip(const QHelpEvent &event)
{
    const QTextCursor character = characterUnder(event.pos());
    if (character.isNull())
        QToolTip::hideText();
    else
        QToolTip::showText(event.globalPos(), tipFor(character.selectedText()), m_editor->viewport());
}

void PhoneCharacterMarks::showContextMenu(const QContextMenuEvent &event, QPoint viewportPoint)
{
    QMenu *menu = m_editor->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QTextCursor character = characterUnder(viewportPoint);
    const QString original = character.selectedText();
    const QString replacement = PhoneCharacters::replacement(original);
    if (!replacement.isEmpty()) {
        menu->addSeparator();
        connect(menu->addAction(QStringLiteral("「%1」を「%2」に置き換える").arg(original, replacement)),
                &QAction::triggered, m_editor, [editor = m_editor, character, original, replacement] {
                    // The cursor has followed any change made meanwhile.
                    QTextCursor cursor = character;
                    if (cursor.selectedText() != original
                        || !editor->admits(replacement, cursor.selectionStart(), cursor.selectionEnd(),
                                           TextEntry::Replacement))
                        return;
                    cursor.beginEditBlock();
                    cursor.insertText(replacement);
                    cursor.endEditBlock();
                });
        connect(menu->addAction(QStringLiteral("置き換えられる文字をすべて置き換える")), &QAction::triggered,
                this, &PhoneCharacterMarks::replaceAll);
    }
    menu->popup(event.globalPos());
}

void PhoneCharacterMarks::replaceAll()
{
    // toPlainText() holds one unit for each document position.
    const QString text = m_editor->toPlainText();
    const QList<PhoneCharacters::Replacement> replacements = PhoneCharacters::replacements(text);
    // Replacements may lengthen the text (㌖ becomes six characters): what
    // they add passes the limit check as if typed at the end.
    qsizetype added = 0;
    for (const PhoneCharacters::Replacement &replacement : replacements)
        added += MessageText::characterCount(replacement.text)
                 - MessageText::characterCount(QStringView(text).sliced(replacement.start, replacement.length));
    const int end = static_cast<int>(text.size());
    if (!m_editor->admits(added, end, end, TextEntry::Replacement))
        return;
    QTextCursor cursor(m_editor->document());
    cursor.beginEditBlock();
    // From the end, so that the positions still to come stay valid.
    for (auto it = replacements.crbegin(); it != replacements.crend(); ++it) {
        cursor.setPosition(static_cast<int>(it->start));
        cursor.setPosition(static_cast<int>(it->start + it->length), QTextCursor::KeepAnchor);
        cursor.insertText(it->text);
    }
    cursor.endEditBlock();
}
