#include "core/launch_messages.h"

std::optional<LaunchError> launchErrorFor(LaunchResult result, LaunchFamily family)
{
    const bool mail = family == LaunchFamily::MailProgram;
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
    case LaunchResult::Failed:
        error.text = mail ? QStringLiteral("メールソフトの起動に失敗しました。"
                                           "メールソフトが正常に動作するか確認してください。")
                          : QStringLiteral("ブラウザの起動に失敗しました。"
                                           "ヘルプファイルが見つからないか、"
                                           "又はブラウザが破損している可能性があります。");
        break;
    }
    return error;
}
