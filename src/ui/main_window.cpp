#include "ui/main_window.h"

#include "core/mail_url.h"
#include "core/message_text.h"
#include "platform/data_files.h"
#include "platform/platform.h"
#include "ui/dialogs.h"
#include "ui/draft_keeper.h"
#include "ui/fixed_cell_editor.h"
#include "ui/launch.h"
#include "ui/length_watch.h"
#include "ui/phone_character_marks.h"
#include "ui/phone_character_totals_tip.h"
#include "ui/picture_button.h"
#include "ui/window_style.h"
#include "ui_main_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QLayout>
#include <QPointer>
#include <QPlainTextDocumentLayout>
#include <QScreen>
#include <QTimer>

namespace {

const QString ImageFolder = QStringLiteral("image");

} // namespace

MainWindow::MainWindow(const Platform &platform, Dialogs &dialogs, QWidget *parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::MainWindow>()), m_platform(platform),
      m_dialogs(dialogs), m_settings(loadSettings(platform.store))
{
    {
        const WindowStyle::DesignFamiliesAsBuilt designFamilies(this);
        m_ui->setupUi(this);
    }
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    WindowStyle::applyDesignFonts(this);
    WindowStyle::applyWindowIcon(this);
    for (QWidget *panel : {static_cast<QWidget *>(this), static_cast<QWidget *>(m_ui->FrmMoji),
                           static_cast<QWidget *>(m_ui->Opt8Moji), static_cast<QWidget *>(m_ui->Opt10Moji)})
        WindowStyle::applyBackground(panel, WindowStyle::PanelColor);
    m_ui->picHandset->setPixmap(WindowStyle::builtInPicture(QStringLiteral("handset"), {237, 547}));
    showPictures(m_ui->ImgClear, QStringLiteral("ClearBtn"), QStringLiteral("ClearBtn"));
    // Enter first: the tool tip names the first key, and Enter is what the
    // main key is labelled; Return is that key, Enter also the keypad's.
    m_ui->ImgCopy->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Enter), QKeySequence(Qt::CTRL | Qt::Key_Return)});
    m_ui->ImgClear->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backspace)});
    m_ui->ImgClear->setName(QStringLiteral("クリア"));
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The two widths show one document, so that the text, its undo steps, the
    // caret and the marks go along when the width changes. The window owns it:
    // a box would delete its own with it, before the other box is gone.
    auto *text = new QTextDocument(this);
    text->setDocumentLayout(new QPlainTextDocumentLayout(text));
    for (FixedCellEditor *editor : {m_ui->txtEdit_8moji, m_ui->txtEdit_10moji}) {
        editor->setDocument(text);
        new PhoneCharacterMarks(editor);
        connect(editor, &FixedCellEditor::typingRefused, this, &QApplication::beep);
        connect(editor, &FixedCellEditor::insertionRefused, this,
                [this](qsizetype room, TextEntry entry) { m_dialogs.showInsertionRefused(room, entry, this); });
    }
    new PhoneCharacterTotalsTip(m_ui->lblMoji, [this] { return currentBox()->toPlainText(); });
    const LineWidth width = m_settings.lineWidth;
    (width == LineWidth::Eight ? m_ui->Opt8Moji : m_ui->Opt10Moji)->setChecked(true);
    box(width == LineWidth::Eight ? LineWidth::Ten : LineWidth::Eight)->hide();
    // In the shown box's font before the draft is in it, so that the draft is
    // laid out once, as the window first paints.
    currentBox()->document()->setDefaultFont(currentBox()->font());
    m_draft = new DraftKeeper(platform, currentBox(), m_settings, this);
    m_length = new LengthWatch({m_ui->txtEdit_8moji, m_ui->txtEdit_10moji}, m_ui->lblMoji, dialogs, this);
    m_length->setNoticeWanted(m_settings.overLimitNotice);
    currentBox()->setFocus();
    currentBox()->selectAll();
    showActionPictures();
    describeAction();
    // A screen reader gets the description before anyone hovers, but only
    // once the window is up: the look-up starts xdg-mime, a shell script whose
    // processes would take the second core from the first paint.
    QTimer::singleShot(std::chrono::seconds(1), this, &MainWindow::lookUpMailProgram);

    auto *widths = new QButtonGroup(this);
    widths->addButton(m_ui->Opt8Moji, int(LineWidth::Eight));
    widths->addButton(m_ui->Opt10Moji, int(LineWidth::Ten));
    connect(widths, &QButtonGroup::idToggled, this, [this](int width, bool selected) {
        if (selected)
            setLineWidth(LineWidth(width));
    });
    connect(m_ui->ImgCopy, &PictureButton::clicked, this, &MainWindow::releaseAction);
    connect(m_ui->ImgCopy, &PictureButton::toolTipWanted, this, &MainWindow::lookUpMailProgram);
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

FixedCellEditor *MainWindow::box(LineWidth width) const
{
    return width == LineWidth::Eight ? m_ui->txtEdit_8moji : m_ui->txtEdit_10moji;
}

FixedCellEditor *MainWindow::currentBox() const
{
    return box(m_settings.lineWidth);
}

QString MainWindow::currentMessage() const
{
    return MessageText::fromBox(currentBox()->toPlainText());
}

// --- Start and end ---------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_draft->saveNow();
    event->accept();
}

// Every change of the settings goes through here, so that it is saved.
void MainWindow::changeSettings(const Settings &settings)
{
    if (settings == m_settings)
        return;
    m_settings = settings;
    m_draft->keep(settings);
    m_length->setNoticeWanted(settings.overLimitNotice);
}

// --- The editor ------------------------------------------------------------

void MainWindow::setLineWidth(LineWidth width)
{
    FixedCellEditor *hidden = currentBox();
    FixedCellEditor *shown = box(width);
    Settings changed = m_settings;
    changed.lineWidth = width;
    changeSettings(changed);
    // Put away first: the box shown takes the layout over (FixedCellEditor::setVisible).
    const bool typing = hidden->hasFocus();
    hidden->setVisible(false);
    shown->setVisible(true);
    if (typing)
        shown->setFocus();
    // The caret and selection stay where the user left them, so that typing
    // goes on at the same place in the new width; set once the box is laid
    // out at its width, so that it scrolls to show them.
    shown->setTextCursor(hidden->textCursor());
}

// --- The picture buttons ---------------------------------------------------

// A picture file that is missing or unreadable leaves the built-in picture,
// pressed or not.
void MainWindow::showPictures(PictureButton *button, const QString &name, const QString &builtIn)
{
    const auto up = m_platform.pictures.load(ImageFolder, name + QStringLiteral(".gif"));
    const auto down = m_platform.pictures.load(ImageFolder, name + QStringLiteral("Down.gif"));
    button->setPictures(up ? *up : WindowStyle::builtInPicture(builtIn, {62, 38}), down.value_or(QPixmap()));
}

void MainWindow::showActionPictures()
{
    showPictures(m_ui->ImgCopy, m_settings.sendMode ? QStringLiteral("sendBtn") : QStringLiteral("CopyBtn"),
                 QStringLiteral("CopyBtn"));
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

void MainWindow::releaseAction()
{
    currentBox()->finishComposition();
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
// page opens without it, so that it is there to paste by the time the page
// is; the notice that says so waits until the page has been handed over.
void MainWindow::send()
{
    const MailUrl::Compose compose = MailUrl::compose(currentMessage(), m_settings);
    if (compose.bodyLeftOut)
        copyToClipboard();
    LaunchFamily family = LaunchFamily::ComposePage;
    if (m_settings.sendTo == SendTo::MailProgram)
        family = m_mailProgram.state == DesktopMailProgram::State::NoneSet ? LaunchFamily::UnsetMailProgram
                                                                            : LaunchFamily::MailProgram;
    std::function<void()> tellPaste;
    if (compose.bodyLeftOut)
        tellPaste = [this] { m_dialogs.showPasteNotice(this); };
    launchAndReport(m_platform, compose.url, family, this, std::move(tellPaste));
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
    currentBox()->clear();
}

// --- The menu --------------------------------------------------------------

void MainWindow::openSettings()
{
    const SettingsEdit edit = m_dialogs.editSettings(m_settings, this);
    changeSettings(edit.settings);
    // Shown again even when the mode stayed the same, so that a picture file
    // put back in the meantime shows up.
    if (edit.accepted) {
        showActionPictures();
        describeAction();
        lookUpMailProgram();
    }
}

void MainWindow::openHelp()
{
    const QString page = DataFiles::find(QStringLiteral("help"), QStringLiteral("index.html"));
    if (page.isEmpty()) {
        reportLaunchFailure(m_platform.messages, LaunchResult::Failed, LaunchFamily::Browser);
        return;
    }
    // Without a browser that starts, the same pages are read in the program.
    m_platform.launcher.open(page, [window = QPointer<MainWindow>(this), page](LaunchResult result) {
        if (window && window->isVisible() && result != LaunchResult::Started)
            window->m_dialogs.showHelp(page, window);
    });
}
