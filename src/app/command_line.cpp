#include "command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace CommandLine {
namespace {

bool japaneseUser()
{
    return QLocale::system().language() == QLocale::Japanese;
}

// Qt 6.4's Japanese translation lacks the help options' own lines; the rest
// of the parser's words (usage, options, errors) come from Qt's file.
class HelpOptionWords final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (qstrcmp(context, "QCommandLineParser") != 0)
            return {};
        if (qstrcmp(source, "Displays help on commandline options.") == 0)
            return QStringLiteral("コマンドラインのオプションの説明を表示する。");
        if (qstrcmp(source, "Displays help including Qt specific options.") == 0)
            return QStringLiteral("Qt の一般的なオプションも含めて説明を表示する。");
        return {};
    }
};

// Qt's parser speaks Japanese to a Japanese user for as long as this lives.
class ParserJapanese {
public:
    ParserJapanese()
    {
        if (!japaneseUser())
            return;
        if (m_qt.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&m_qt);
        QCoreApplication::installTranslator(&m_help);
    }
    ~ParserJapanese()
    {
        QCoreApplication::removeTranslator(&m_help);
        QCoreApplication::removeTranslator(&m_qt);
    }

private:
    QTranslator m_qt;
    HelpOptionWords m_help;
};

void describeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(japaneseUser()
                                         ? QStringLiteral("携帯電話のショートメールを、1行に全角8文字か10文字で書くツールです。")
                                         : QStringLiteral("Writes a short mobile-phone mail, 8 or 10 full-width characters a line."));
    parser.addHelpOption();
    parser.addVersionOption();
}

void say(const char *japanese, const char *english, const QByteArray &detail = {})
{
    const QByteArray line = QByteArray(japaneseUser() ? japanese : english).replace("%1", detail);
    std::fputs(("larkpad: " + line + '\n').constData(), stderr);
}

// What Qt said while QApplication was being built, held back.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> heldMessages;
QByteArray unreachableDisplay; // named by the X plugin's failure to connect

void replayHeldMessages()
{
    for (const HeldMessage &held : std::exchange(heldMessages, {}))
        qt_message_output(held.type, QMessageLogContext(nullptr, 0, nullptr, held.category.constData()), held.text);
}

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    const QByteArray category(context.category ? context.category : "");
    constexpr QStringView Unreachable = u"could not connect to display";
    if (category == "qt.qpa.xcb" && text.startsWith(Unreachable))
        unreachableDisplay = text.mid(Unreachable.size()).trimmed().toLocal8Bit();
    if (type == QtFatalMsg && !unreachableDisplay.isNull()) {
        say("ディスプレイ「%1」を開けませんでした。", "cannot open the display \"%1\".", unreachableDisplay);
        std::_Exit(1);
    }
    if (type == QtFatalMsg) { // some other failure: told in full, as Qt tells it
        qInstallMessageHandler(previousHandler);
        replayHeldMessages();
        qt_message_output(type, context, text);
        return;
    }
    heldMessages.push_back({type, category, text});
}

// Qt's parser names its options when they are added, so the translation
// is in place before: prints help, the version or an error, and ends.
void processInUserLanguage(const QCoreApplication &app)
{
    ParserJapanese words;
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(app);
}

} // namespace

void answerHelpOrVersion(int &argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(arguments) || parser.optionNames().isEmpty())
        return;
    QCoreApplication app(argc, argv);
    processInUserLanguage(app);
}

void refuseUnknownOptions(const QCoreApplication &app)
{
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(app.arguments()))
        processInUserLanguage(app);
}

// Qt's platform plugin would end the program with an abort and advice to
// reinstall it. Say plainly what is missing instead, unless a platform that
// needs no display server (offscreen, minimal, vnc...) was chosen with
// QT_QPA_PLATFORM or -platform, or -display names an X server.
bool noDisplayToShowOn(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArrayView argument(argv[i]);
        if (argument == "-display" || argument == "--display")
            return false;
        if (argument == "-platform" || argument == "--platform")
            platforms = argv[i + 1];
    }
    // "name:option,option;fallback"
    for (const QByteArray &platform : platforms.split(';')) {
        const QByteArray name = platform.split(':').constFirst();
        if (!name.isEmpty() && name != "xcb" && !name.startsWith("wayland"))
            return false;
    }
    say("ウィンドウを表示するディスプレイがありません（DISPLAY も WAYLAND_DISPLAY も設定されていません）。",
        "no display to show the window on: neither DISPLAY nor WAYLAND_DISPLAY is set.");
    return true;
}

DisplayFailureGuard::DisplayFailureGuard()
{
    previousHandler = qInstallMessageHandler(holdMessage);
}

DisplayFailureGuard::~DisplayFailureGuard()
{
    qInstallMessageHandler(previousHandler);
    replayHeldMessages();
}

} // namespace CommandLine
