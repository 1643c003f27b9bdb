#include "core/launch_messages.h"

std::optional<LaunchError> launchErrorFor(LaunchResult result, LaunchFamily family)
{
    const bool mail = family == LaunchFamily::MailProgram || family == LaunchFamily::UnsetMailProgram;
    LaunchError error;
    error.title = mail ? QStringLiteral("メールソフト起動エラー") : QStringLiteral("ブラウザ起動エラー");
    switch (result) {
    case LaunchResult::Started:
        return std::nullopt;
    case LaunchResult::OutOfResources:
        error.text = QStringLiteral("メモリまたはリソースが不足しています。");
        break;
    case LaunchResult::BrokenProgram:
        error.text = mail ? QStringLiteral("メールソフトが破損している可能性があります。"
                                           "メールソフトが正常に動作するか確認してください。")
                          : QStringLiteral("ブラウザが破損している可能性があります。"
                                           "ブラウザが正常に動作するか確認してください。");
        break;
    case LaunchResult::Busy:
        error.text = QStringLiteral("共有違反が発生しました。再起動してください。");
        break;
    case LaunchResult::TooLong:
        // Only a "mailto:" URL carries the whole text; a webmail's page
        // leaves a long one to the clipboard.
        error.text = mail ? QStringLiteral("文書が長すぎるため、メールソフトに渡せませんでした。\r\n"
                                           "メニューの「設定」で「コピー」ボタンにしてコピーし、メールに貼り付けるか、"
                                           "「送信方法」で Gmail か Outlook.com を選んでください"
                                           "（長い文書はクリップボードから貼り付けられます）。")
                          : QStringLiteral("開くアドレスが長すぎるため、ブラウザを起動できませんでした。");
        break;
    case LaunchResult::Failed:
        switch (family) {
        case LaunchFamily::MailProgram:
            error.text = QStringLiteral("メールソフトの起動に失敗しました。"
                                        "メールソフトが正常に動作するか確認してください。");
            break;
        case LaunchFamily::UnsetMailProgram:
            error.text = QStringLiteral("メールソフトの起動に失敗しました。メールソフトが設定されていません。\r\n"
                                        "メニューの「設定」の「送信方法」で Gmail か Outlook.com を選べます。");
            break;
        case LaunchFamily::ComposePage:
            error.text = QStringLiteral("ブラウザの起動に失敗しました。メールの作成画面を開けませんでした。"
                                        "ブラウザが正常に動作するか確認してください。");
            break;
        case LaunchFamily::Browser:
            error.text = QStringLiteral("ブラウザの起動に失敗しました。"
                                        "ヘルプファイルが見つからないか、"
                                        "又はブラウザが破損している可能性があります。");
            break;
        }
        break;
    }
    return error;
}
