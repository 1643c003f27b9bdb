#include "core/send_description.h"

QString sendDescription(SendTo sendTo, const DesktopMailProgram &program)
{
    switch (sendTo) {
    case SendTo::Gmail:
        return QStringLiteral("ブラウザの Gmail で新しいメールを作成");
    case SendTo::Outlook:
        return QStringLiteral("ブラウザの Outlook.com で新しいメールを作成");
    case SendTo::MailProgram:
        break;
    }
    switch (program.state) {
    case DesktopMailProgram::State::Named:
        return QStringLiteral("%1 で新しいメールを作成").arg(program.name);
    case DesktopMailProgram::State::NoneSet:
        return QStringLiteral("メールソフトが設定されていません。\n"
                              "メニューの「設定」の「送信先」で Gmail か Outlook.com を選べます");
    case DesktopMailProgram::State::Unknown:
        break;
    }
    return QStringLiteral("メールソフトで新しいメールを作成");
}
