#include "platform/xdg_mail_program_lookup.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <csignal>

namespace {

// xdg-mime answers in well under a second; one that takes longer is stuck on
// the desktop's own tools, and the send button can do without the name.
constexpr int PatienceMs = 3000;
// A desktop file ID is a file name; an answer longer than this is not one.
constexpr qint64 AnswerLimit = 4096;
// Desktop files are a few kilobytes; the name is in the first group.
constexpr qint64 DesktopFileLimit = 256 * 1024;

// The keys a desktop file's name is looked for under, the most particular
// first, for the language messages are shown in: Name[ll_CC@modifier],
// Name[ll_CC], Name[ll@modifier], Name[ll], then Name.
QStringList nameKeys()
{
    QString locale;
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = qEnvironmentVariable(variable);
        if (!locale.isEmpty())
            break;
    }
    const QString modifier = locale.section(u'@', 1);
    const QString languageCountry = locale.section(u'@', 0, 0).section(u'.', 0, 0);
    const QString language = languageCountry.section(u'_', 0, 0);
    QStringList keys;
    const QString tags[] = {languageCountry + u'@' + modifier, languageCountry, language + u'@' + modifier, language};
    for (const QString &tag : tags) {
        const bool whole = !tag.startsWith(u'@') && !tag.endsWith(u'@');
        if (!tag.isEmpty() && whole && tag != u"C" && tag != u"POSIX")
            keys << QStringLiteral("Name[%1]").arg(tag);
    }
    keys.removeDuplicates();
    keys << QStringLiteral("Name");
    return keys;
}

// The name the desktop file gives in its [Desktop Entry] group under the
// first of `keys` it has; empty when it has none.
QString nameIn(const QString &path, const QStringList &keys)
{
    QHash<QString, QString> entry;
    bool inEntry = false;
    // Its start only: QStandardPaths::locate() found a regular file, but
    // one of any size.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &rawLine : file.read(DesktopFileLimit).split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        const qsizetype equals = line.indexOf(u'=');
        if (line.startsWith(u'['))
            inEntry = line == u"[Desktop Entry]";
        else if (inEntry && equals > 0)
            entry.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    for (const QString &key : keys) {
        if (const QString name = entry.value(key); !name.isEmpty())
            return name;
    }
    return {};
}

// From xdg-mime's answer, the desktop file's name: nothing means none is set.
DesktopMailProgram programFor(const QString &desktopFileId)
{
    using State = DesktopMailProgram::State;
    if (desktopFileId.isEmpty())
        return {State::NoneSet, {}};
    // An ID is a bare file name; a path would let the answer point anywhere.
    if (desktopFileId.contains(u'/') || !desktopFileId.endsWith(QLatin1String(".desktop")))
        return {};
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopFileId);
    const QString name = path.isEmpty() ? QString() : nameIn(path, nameKeys());
    if (name.isEmpty())
        return {};
    return {State::Named, name};
}

} // namespace

namespace {

// xdg-mime is a shell script whose children (the desktop's own tools) outlive
// a killed shell, so it runs in a process group of its own and the whole
// group is ended.
void endGroup(QProcess *query)
{
    if (const qint64 pid = query->processId(); pid > 0)
        ::kill(-pid_t(pid), SIGKILL);
}

} // namespace

XdgMailProgramLookup::XdgMailProgramLookup(QObject *parent) : QObject(parent) {}

// A look-up still running when the program ends is ended quietly, rather
// than by QProcess's destructor, which would warn and leave the children.
XdgMailProgramLookup::~XdgMailProgramLookup()
{
    for (QProcess *query : findChildren<QProcess *>()) {
        query->disconnect();
        if (query->state() != QProcess::NotRunning) {
            endGroup(query);
            query->waitForFinished(1000);
        }
    }
}

void XdgMailProgramLookup::lookUp(Found found)
{
    m_waiting.push_back(std::move(found));
    if (m_query)
        return;
    auto *query = m_query = new QProcess(this);
    query->setStandardInputFile(QProcess::nullDevice());
    query->setStandardErrorFile(QProcess::nullDevice());
    query->setChildProcessModifier([] { ::setpgid(0, 0); });
    connect(query, &QProcess::finished, this, [this, query](int exitCode, QProcess::ExitStatus status) {
        const bool answered = status == QProcess::NormalExit && exitCode == 0
                              && query->bytesAvailable() <= AnswerLimit;
        answer(query, answered ? programFor(QString::fromUtf8(query->readAll()).trimmed())
                               : DesktopMailProgram());
    });
    // Read as it comes, so that a flood is stopped at the limit instead of
    // filling the memory.
    connect(query, &QProcess::readyReadStandardOutput, this, [this, query] {
        if (query->bytesAvailable() > AnswerLimit)
            answer(query, {});
    });
    connect(query, &QProcess::errorOccurred, this, [this, query](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            answer(query, {});
    });
    QTimer::singleShot(PatienceMs, query, [this, query] { answer(query, {}); });
    query->start(QStringLiteral("xdg-mime"),
                 {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/mailto")});
}

// Told once per query, by whichever comes first: its end, a flood, or the
// time out.
void XdgMailProgramLookup::answer(QProcess *query, const DesktopMailProgram &program)
{
    if (query != m_query)
        return;
    m_query = nullptr;
    query->disconnect(this);
    if (query->state() == QProcess::NotRunning) {
        query->deleteLater();
    } else {
        query->closeReadChannel(QProcess::StandardOutput);
        connect(query, &QProcess::finished, query, &QObject::deleteLater);
        endGroup(query);
    }
    for (const Found &found : std::exchange(m_waiting, {}))
        found(program);
}
