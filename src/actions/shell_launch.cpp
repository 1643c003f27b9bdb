#include "actions/shell_launch.h"

std::optional<LaunchError> launchErrorFor(int result, LaunchFamily family)
{
    if (result > 32)
        return std::nullopt;
    const bool mail = family == LaunchFamily::MailProgram;
    LaunchError error;
    error.title = mail ? QStringLiteral("メールソフト起動エラー") : QStringLiteral("ブラウザ起動エラー");
    if (result == 0) {
        error.text = QStringLiteral("メモリまたはリソースが不足しています。");
    } else if (result == 11) {
        error.text = mail ? QStringLiteral("メールソフトが破損している可能性があります。"
                                           "メールソフトが正常に動作するか確認してください。")
                          : QStringLiteral("ブラウザが破損している可能性があります。"
                                           "ブラウザが正常に動作するか確認してください。");
    } else if (result == 26) {
        error.text = QStringLiteral("共有違反が発生しました。再起動してください。");
    } else {
        error.text = mail ? QStringLiteral("メールソフトの起動に失敗しました。"
                                           "メールソフトが正常に動作するか確認してください。")
                          : QStringLiteral("ブラウザの起動に失敗しました。"
                                           "ヘルプファイルが見つからないか、"
                                           "又はブラウザが破損している可能性があります。");
    }
    return error;
}

void reportLaunchFailure(MessageBox &messages, int result, LaunchFamily family)
{
    if (const auto error = launchErrorFor(result, family))
        messages.show(error->text, error->title, MessageStyle::Stop);
}

void ShellLaunch(ShellLauncher &launcher, MessageBox &messages, const QString &target,
                 LaunchFamily family)
{
    launcher.open(target, [&messages, family](int result) {
        reportLaunchFailure(messages, result, family);
    });
}
