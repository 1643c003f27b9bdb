#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Tells, when the count is hovered, how many characters of the text a phone
// shows as "?" and how many are 機種依存文字; nothing when there are none.
// They are counted only then, so that typing does not pay for it.
class PhoneCharacterTotalsTip : public QObject {
    Q_OBJECT
public:
    PhoneCharacterTotalsTip(QWidget *label, std::function<QString()> currentText);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_label;
    std::function<QString()> m_currentText;
};
