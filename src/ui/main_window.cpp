#include "ui/main_window.h"

#include "core/mail_url.h"
#include "core/message_text.h"
#include "platform/data_files.h"
#include "platform/platform.h"
#include "ui/dialogs.h"
#include "ui/fixed_cell_editor.h"
#include "ui/launch.h"
#include "ui/phone_character_marks.h"
#include "ui/phone_character_totals_tip.h"
#include "ui/picture_button.h"
#include "ui/window_style.h"
#include "ui_main_window.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace {

const QString ImageFolder = QStringLiteral("image");

} // namespace

MainWindow::MainWindow(const Platform &platform, Dialogs &dialogs, QWidget *parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::MainWindow>()), m_platform(platform),
      m_dialogs(dialogs), m_settings(loadSettings(platform.store))
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    WindowStyle::applyDesignFonts(this);
    WindowStyle::applyWindowIcon(this);
    for (QWidget *panel : {static_cast<QWidget *>(this), static_cast<QWidget *>(m_ui->FrmMoji),
                           static_cast<QWidget *>(m_ui->Opt8Moji), static_cast<QWidget *>(m_ui->Opt10Moji)})
        WindowStyle::applyBackground(panel, WindowStyle::PanelColor);
    m_ui->picHandset->setPixmap(WindowStyle::builtInPicture(QStringLiteral("handset"), {237, 547}));
    m_ui->ImgCopy->showPicture(WindowStyle::builtInPicture(QStringLiteral("CopyBtn"), {62, 38}));
    m_ui->ImgClear->showPicture(WindowStyle::builtInPicture(QStringLiteral("ClearBtn"), {62, 38}));
    // Enter first: the tool tip names the first key, and Enter is what the
    // main key is labelled; Return is that key, Enter also the keypad's.
    m_ui->ImgCopy->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Enter), QKeySequence(Qt::CTRL | Qt::Key_Return)});
    m_ui->ImgClear->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backspace)});
    m_ui->ImgClear->setName(QStringLiteral("クリア"));
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    for (FixedCellEditor *editor : {m_ui->txtEdit_8moji, m_ui->txtEdit_10moji}) {
        new PhoneCharacterMarks(editor);
        connect(editor, &FixedCellEditor::typingRefused, this, [this] { m_platform.beeper.beep(); });
        connect(editor, &FixedCellEditor::insertionRefused, this,
                [this](qsizetype room) { m_dialogs.showPasteRefused(room, this); });
    }
    new PhoneCharacterTotalsTip(m_ui->lblMoji, [this] { return currentBox()->toPlainText(); });
    restoreDraft();
    showActionPicture(false);
    describeAction();
    // A screen reader gets the description before anyone hovers, but only
    // once the window is up: the look-up starts xdg-mime, a shell script whose
    // processes would take the second core from the first paint.
    QTimer::singleShot(std::chrono::seconds(1), this, &MainWindow::lookUpMailProgram);

    for (QPlainTextEdit *edit : {m_ui->txtEdit_8moji, m_ui->txtEdit_10moji}) {
        connect(edit, &QPlainTextEdit::textChanged, this, &MainWindow::updateCount);
        connect(edit, &QPlainTextEdit::textChanged, &m_saveTimer, &SaveTimer::noteChange);
    }
    // A failed write in the background says nothing: the one at close tells.
    connect(&m_saveTimer, &SaveTimer::due, this, &MainWindow::writeAll);
    auto *widths = new QButtonGroup(this);
    widths->addButton(m_ui->Opt8Moji, int(LineWidth::Eight));
    widths->addButton(m_ui->Opt10Moji, int(LineWidth::Ten));
    connect(widths, &QButtonGroup::idToggled, this, [this](int width, bool selected) {
        if (selected)
            setLineWidth(LineWidth(width));
    });
    // The pictures follow the buttons' state, which a pointer held down and
    // moved off and back on a button changes several times in one press.
    connect(m_ui->ImgCopy, &PictureButton::pressed, this, [this] { showActionPicture(true); });
    connect(m_ui->ImgCopy, &PictureButton::released, this, [this] { showActionPicture(false); });
    connect(m_ui->ImgCopy, &PictureButton::clicked, this, &MainWindow::releaseAction);
    connect(m_ui->ImgCopy, &PictureButton::toolTipWanted, this, &MainWindow::lookUpMailProgram);
    connect(m_ui->ImgClear, &PictureButton::pressed, this, [this] { showClearPicture(true); });
    connect(m_ui->ImgClear, &PictureButton::released, this, [this] { showClearPicture(false); });
    connect(m_ui->ImgClear, &PictureButton::clicked, this, &MainWindow::releaseClear);
    connect(m_ui->mnuConfig, &QAction::triggered, this, &MainWindow::openSettings);
    connect(m_ui->mnuEnd, &QAction::triggered, this, &MainWindow::close);
    connect(m_ui->mnuHelpMe, &QAction::triggered, this, &MainWindow::openHelp);
    connect(m_ui->mnuVersion, &QAction::triggered, this, [this] { m_dialogs.showAbout(this); });

    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() = default;

QPlainTextEdit *MainWindow::box(LineWidth width) const
{
    return width == LineWidth::Eight ? m_ui->txtEdit_8moji : m_ui->txtEdit_10moji;
}

QPlainTextEdit *MainWindow::currentBox() const
{
    return box(m_settings.lineWidth);
}

QString MainWindow::currentMessage() const
{
    return MessageText::fromBox(currentBox()->toPlainText());
}

// --- Start and end ---------------------------------------------------------

// Runs before any signal is connected: the stored text is counted, but a long
// one raises no notice at start; the user has seen it before.
void MainWindow::restoreDraft()
{
    const LineWidth width = m_settings.lineWidth;
    (width == LineWidth::Eight ? m_ui->Opt8Moji : m_ui->Opt10Moji)->setChecked(true);
    box(width == LineWidth::Eight ? LineWidth::Ten : LineWidth::Eight)->hide();
    QPlainTextEdit *shown = box(width);
    shown->setPlainText(MessageText::toBox(loadDraft(m_platform.store)));
    const qsizetype count = MessageText::count(shown->toPlainText());
    m_ui->lblMoji->setText(QString::number(count));
    m_overLimit.risesPast(count);
    shown->setFocus();
    shown->selectAll();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    saveAll();
    event->accept();
}

bool MainWindow::writeAll()
{
    m_saveTimer.saved();
    saveDraft(currentMessage(), m_platform.store);
    saveSettings(m_settings, m_platform.store);
    return m_platform.store.flush();
}

void MainWindow::saveAll()
{
    if (!writeAll()) {
        m_platform.messages.show(QStringLiteral("設定と文書を保存できませんでした。\r\n"
                                                "保存先: %1\r\n"
                                                "前回保存した内容はそのまま残っています。")
                                     .arg(m_platform.store.location()),
                                 QStringLiteral("ラークパッド"), MessageStyle::Error);
    }
}

// Every change of the settings goes through here, so that it is saved.
void MainWindow::changeSettings(const Settings &settings)
{
    if (settings == m_settings)
        return;
    m_settings = settings;
    m_saveTimer.noteChange();
}

// --- The editor ------------------------------------------------------------

void MainWindow::updateCount()
{
    // The notice runs its own event loop; changes that arrive while it is
    // open must neither count nor raise a second notice.
    if (m_noticeOpen)
        return;
    const qsizetype count = MessageText::count(currentBox()->toPlainText());
    m_ui->lblMoji->setText(QString::number(count));
    // Opened once the change has been handled: a change can come from inside
    // an input method's commit, and moving the focus to a window from there
    // makes some input methods commit their text a second time.
    if (m_overLimit.risesPast(count) && m_settings.overLimitNotice && !m_noticeDue) {
        m_noticeDue = true;
        QMetaObject::invokeMethod(this, &MainWindow::showOverLimitNotice, Qt::QueuedConnection);
    }
}

void MainWindow::showOverLimitNotice()
{
    m_noticeDue = false;
    // Closed in the meantime: nothing is shown without the window.
    if (!isVisible())
        return;
    m_noticeOpen = true;
    m_dialogs.showOverLimitNotice(this);
    m_noticeOpen = false;
    // The text may have changed meanwhile; the label shows it as it is now.
    m_ui->lblMoji->setText(QString::number(MessageText::count(currentBox()->toPlainText())));
}

void MainWindow::setLineWidth(LineWidth width)
{
    QPlainTextEdit *hidden = currentBox();
    QPlainTextEdit *shown = box(width);
    Settings changed = m_settings;
    changed.lineWidth = width;
    changeSettings(changed);
    shown->setVisible(true);
    hidden->setVisible(false);
    shown->setPlainText(hidden->toPlainText());
    // The caret and selection stay where the user left them, so that typing
    // goes on at the same place in the new width.
    const QTextCursor left = hidden->textCursor();
    QTextCursor cursor = shown->textCursor();
    cursor.setPosition(left.anchor());
    cursor.setPosition(left.position(), QTextCursor::KeepAnchor);
    shown->setTextCursor(cursor);
}

// --- The picture buttons ---------------------------------------------------

void MainWindow::showPicture(PictureButton *button, const QString &fileName)
{
    if (const auto picture = m_platform.pictures.load(ImageFolder, fileName))
        button->showPicture(*picture, fileName);
}

void MainWindow::showActionPicture(bool pressed)
{
    if (m_settings.sendMode)
        showPicture(m_ui->ImgCopy, pressed ? QStringLiteral("sendBtnDown.gif") : QStringLiteral("sendBtn.gif"));
    else
        showPicture(m_ui->ImgCopy, pressed ? QStringLiteral("CopyBtnDown.gif") : QStringLiteral("CopyBtn.gif"));
}

void MainWindow::describeAction()
{
    m_ui->ImgCopy->setName(m_settings.sendMode ? QStringLiteral("送信") : QStringLiteral("コピー"));
    m_ui->ImgCopy->setDescription(m_settings.sendMode ? sendDescription(m_settings.sendTo, m_mailProgram) : QString());
}

// Asked when the settings are loaded or changed and whenever the tool tip is
// about to show, since the user may set a mail program meanwhile; the tip
// shows what was known until the answer comes. Only the desktop's mail
// program needs asking.
void MainWindow::lookUpMailProgram()
{
    if (!m_settings.sendMode || m_settings.sendTo != SendTo::MailProgram)
        return;
    m_platform.mailProgram.lookUp([window = QPointer<MainWindow>(this)](const DesktopMailProgram &program) {
        if (!window)
            return;
        window->m_mailProgram = program;
        window->describeAction();
    });
}

void MainWindow::showClearPicture(bool pressed)
{
    showPicture(m_ui->ImgClear, pressed ? QStringLiteral("ClearBtnDown.gif") : QStringLiteral("ClearBtn.gif"));
}

void MainWindow::releaseAction()
{
    if (m_settings.sendMode) {
        send();
        return;
    }
    if (m_settings.copyNotice) {
        Settings changed = m_settings;
        changed.copyNotice = m_dialogs.showCopyNotice(this);
        changeSettings(changed);
    }
    copyToClipboard();
}

// A text too long for the webmail's page goes to the clipboard before the
// page opens without it, so that it is there to paste by the time the page is.
void MainWindow::send()
{
    const MailUrl::Compose compose = MailUrl::compose(currentMessage(), m_settings);
    if (compose.bodyLeftOut)
        copyToClipboard();
    const bool mailProgram = m_settings.sendTo == SendTo::MailProgram;
    launchAndReport(m_platform, compose.url, mailProgram ? LaunchFamily::MailProgram : LaunchFamily::Browser, this);
    if (compose.bodyLeftOut)
        m_dialogs.showPasteNotice(this);
}

void MainWindow::copyToClipboard()
{
    m_platform.clipboard.clear();
    m_platform.clipboard.setText(currentBox()->toPlainText());
}

void MainWindow::releaseClear()
{
    if (m_settings.clearConfirmation) {
        const ClearAnswer answer = m_dialogs.askClear(this);
        Settings changed = m_settings;
        changed.clearConfirmation = answer.askAgain;
        changeSettings(changed);
        if (!answer.clear)
            return;
    }
    m_ui->txtEdit_8moji->clear();
    m_ui->txtEdit_10moji->clear();
}

// --- The menu --------------------------------------------------------------

void MainWindow::openSettings()
{
    const SettingsEdit edit = m_dialogs.editSettings(m_settings, this);
    changeSettings(edit.settings);
    // Shown again even when the mode stayed the same, so that a picture file
    // put back in the meantime shows up.
    if (edit.accepted) {
        showActionPicture(false);
        describeAction();
        lookUpMailProgram();
    }
}

void MainWindow::openHelp()
{
    const QString page = DataFiles::find(QStringLiteral("help"), QStringLiteral("index.html"));
    if (page.isEmpty())
        reportLaunchFailure(m_platform.messages, LaunchResult::Failed, LaunchFamily::Browser);
    else
        launchAndReport(m_platform, page, LaunchFamily::Browser, this);
}
