#include "core/send_description.h"

QString sendDescription(SendTo sendTo, const DesktopMailProgram &program)
{
    switch (sendTo) {
    case SendTo::Gmail:
        return QStringLiteral("ブラウザの Gmail で新しいメールを作成します。");
    case SendTo::Outlook:
        return QStringLiteral("ブラウザの Outlook.com で新しいメールを作成します。");
    case SendTo::MailProgram:
        break;
    }
    switch (program.state) {
    case DesktopMailProgram::State::Named:
        return QStringLiteral("「%1」で新しいメールを作成します。").arg(program.name);
    case DesktopMailProgram::State::NoneSet:
        return QStringLiteral("メールソフトが設定されていません。\n"
                              "メニューの「設定」の「送信方法」で Gmail か Outlook.com を選べます。");
    case DesktopMailProgram::State::Unknown:
        break;
    }
    return QStringLiteral("メールソフトで新しいメールを作成します。");
}

SendCaptions sendCaptions(SendTo sendTo)
{
    if (sendTo == SendTo::MailProgram)
        return {QStringLiteral("メールソフトを起動し、文書をコピーします"),
                QStringLiteral("メールソフト起動時に宛先をセットする"),
                QStringLiteral("メールソフト起動時に件名をセットする")};
    const QString page = sendTo == SendTo::Gmail ? QStringLiteral("Gmail") : QStringLiteral("Outlook.com");
    return {QStringLiteral("%1 を開き、文書をコピーします").arg(page),
            QStringLiteral("%1 を開く時に宛先をセットする").arg(page),
            QStringLiteral("%1 を開く時に件名をセットする").arg(page)};
}
