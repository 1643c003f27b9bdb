#include "main_window/frm_main.h"

#include "actions/mail_url.h"
#include "actions/picture_button.h"
#include "actions/shell_launch.h"
#include "help_version/help_command.h"
#include "layouts/window_style.h"
#include "main_window/message_text.h"
#include "ui_FrmMain.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>

namespace {

constexpr auto ImageFolder = "image";

} // namespace

FrmMain::FrmMain(SharedState &state, Platform &platform, ModalDialogs &dialogs, QWidget *parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::FrmMain>()), state_(state),
      platform_(platform), dialogs_(dialogs)
{
    ui_->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    WindowStyle::applyDesignFonts(this);
    WindowStyle::applyWindowIcon(this);
    ui_->picHandset->setPixmap(WindowStyle::builtInPicture(QStringLiteral("handset"), {237, 547}));
    ui_->ImgCopy->setPixmap(WindowStyle::builtInPicture(QStringLiteral("CopyBtn"), {62, 38}));
    ui_->ImgClear->setPixmap(WindowStyle::builtInPicture(QStringLiteral("ClearBtn"), {62, 38}));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ui_->ImgCopy->setAccessibleName(QStringLiteral("コピー"));
    ui_->ImgClear->setAccessibleName(QStringLiteral("クリア"));

    connect(ui_->txtEdit_8moji, &QPlainTextEdit::textChanged, this, &FrmMain::txtEdit_8moji_Change);
    connect(ui_->txtEdit_10moji, &QPlainTextEdit::textChanged, this, &FrmMain::txtEdit_10moji_Change);
    ui_->txtEdit_8moji->installEventFilter(this);
    ui_->txtEdit_10moji->installEventFilter(this);
    connect(ui_->Opt8Moji, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            Opt8Moji_Click();
    });
    connect(ui_->Opt10Moji, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            Opt10Moji_Click();
    });
    connect(ui_->ImgCopy, &PictureButton::mouseDown, this, &FrmMain::ImgCopy_MouseDown);
    connect(ui_->ImgCopy, &PictureButton::mouseUp, this, &FrmMain::ImgCopy_MouseUp);
    connect(ui_->ImgClear, &PictureButton::mouseDown, this, &FrmMain::ImgClear_MouseDown);
    connect(ui_->ImgClear, &PictureButton::mouseUp, this, &FrmMain::ImgClear_MouseUp);
    connect(ui_->mnuConfig, &QAction::triggered, this, &FrmMain::mnuConfig_Click);
    connect(ui_->mnuEnd, &QAction::triggered, this, &FrmMain::mnuEnd_Click);
    connect(ui_->mnuHelpMe, &QAction::triggered, this, &FrmMain::mnuHelpMe_Click);
    connect(ui_->mnuVersion, &QAction::triggered, this, &FrmMain::mnuVersion_Click);

    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

FrmMain::~FrmMain() = default;

QPlainTextEdit *FrmMain::txtEdit_8moji() const { return ui_->txtEdit_8moji; }
QPlainTextEdit *FrmMain::txtEdit_10moji() const { return ui_->txtEdit_10moji; }
QRadioButton *FrmMain::Opt8Moji() const { return ui_->Opt8Moji; }
QRadioButton *FrmMain::Opt10Moji() const { return ui_->Opt10Moji; }
QLabel *FrmMain::lblMoji() const { return ui_->lblMoji; }
PictureButton *FrmMain::ImgCopy() const { return ui_->ImgCopy; }
PictureButton *FrmMain::ImgClear() const { return ui_->ImgClear; }

QPlainTextEdit *FrmMain::currentBox() const
{
    return ui_->Opt8Moji->isChecked() ? ui_->txtEdit_8moji : ui_->txtEdit_10moji;
}

QString FrmMain::currentMessage() const
{
    return MessageText::fromBox(currentBox()->toPlainText());
}

// --- Start and end ---------------------------------------------------------

bool FrmMain::Form_Load()
{
    Init();
    OverShown = false;
    RegLoaded = false;
    InChange = false;
    if (!platform_.instance.anotherInstanceRunning())
        return true;
    platform_.beeper.beep();
    platform_.messages.show(QStringLiteral("「ラークパッド」はすでに起動しています。\r\n"
                                           "「ラークパッド」を複数起動することはできません。"),
                            QStringLiteral("ラークパッド"), MessageStyle::Exclamation);
    Form_Unload();
    return false;
}

void FrmMain::Init()
{
    WindowStyle::applyBackground(this, WindowStyle::PanelColor);
    WindowStyle::applyBackground(ui_->FrmMoji, WindowStyle::PanelColor);
    WindowStyle::applyBackground(ui_->Opt8Moji, WindowStyle::PanelColor);
    WindowStyle::applyBackground(ui_->Opt10Moji, WindowStyle::PanelColor);
}

bool FrmMain::event(QEvent *event)
{
    // The first showing counts as the first activation too: some window
    // systems never activate a window nobody clicked (a bare X server, for
    // one), and a load that came after the window could take keys would
    // overwrite what the user had already typed.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        Form_Activate();
    return QMainWindow::event(event);
}

void FrmMain::Form_Activate()
{
    if (RegLoaded)
        return;
    RegLoaded = true;
    LoadRegEdit();
    LoadRegConfig();
    LoadRegSendDetail();
    QPlainTextEdit *box = currentBox();
    box->setFocus();
    box->selectAll();
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void FrmMain::Form_Unload()
{
    if (!RegLoaded)
        return;
    SaveRegEdit();
    SaveRegConfig();
    SaveRegSendDetail();
    if (!platform_.store.flush()) {
        platform_.messages.show(QStringLiteral("設定と文書を保存できませんでした。\r\n"
                                               "保存先: %1\r\n"
                                               "前回保存した内容はそのまま残っています。")
                                    .arg(platform_.store.location()),
                                QStringLiteral("ラークパッド"), MessageStyle::Stop);
    }
}

// --- The editor ------------------------------------------------------------

void FrmMain::txtEdit_8moji_Change() { updateCount(ui_->txtEdit_8moji); }
void FrmMain::txtEdit_10moji_Change() { updateCount(ui_->txtEdit_10moji); }

void FrmMain::updateCount(QPlainTextEdit *box)
{
    // The notice below runs its own event loop; changes that arrive while it
    // is open must neither count nor raise a second notice.
    if (InChange)
        return;
    InChange = true;
    if (MessageText::count(box->toPlainText()) > MessageText::RecommendedLength) {
        if (!OverShown) {
            if (state_.OverMsgShow)
                dialogs_.showOverNotice(this);
            OverShown = true;
        }
    } else {
        OverShown = false;
    }
    ui_->lblMoji->setText(QString::number(MessageText::count(box->toPlainText())));
    InChange = false;
}

void FrmMain::Opt8Moji_Click() { switchWidth(ui_->txtEdit_8moji, ui_->txtEdit_10moji); }
void FrmMain::Opt10Moji_Click() { switchWidth(ui_->txtEdit_10moji, ui_->txtEdit_8moji); }

void FrmMain::switchWidth(QPlainTextEdit *shown, QPlainTextEdit *hidden)
{
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

bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress
        && (watched == ui_->txtEdit_8moji || watched == ui_->txtEdit_10moji))
        selectAllOnCtrlA(static_cast<QPlainTextEdit *>(watched), static_cast<QKeyEvent *>(event));
    return QMainWindow::eventFilter(watched, event);
}

void FrmMain::selectAllOnCtrlA(QPlainTextEdit *box, QKeyEvent *event)
{
    if (event->modifiers().testFlag(Qt::ControlModifier) && event->key() == Qt::Key_A)
        box->selectAll();
}

// --- The picture buttons ---------------------------------------------------

void FrmMain::showPicture(PictureButton *button, const QString &fileName)
{
    if (const auto picture = platform_.pictures.load(QString::fromLatin1(ImageFolder), fileName))
        button->showPicture(*picture, fileName);
}

void FrmMain::setCopyPicture(const QString &fileName)
{
    showPicture(ui_->ImgCopy, fileName);
    ui_->ImgCopy->setAccessibleName(state_.SendMode ? QStringLiteral("送信") : QStringLiteral("コピー"));
}

QString FrmMain::copyButtonPicture(bool pressed) const
{
    if (state_.SendMode)
        return pressed ? QStringLiteral("sendBtnDown.gif") : QStringLiteral("sendBtn.gif");
    return pressed ? QStringLiteral("CopyBtnDown.gif") : QStringLiteral("CopyBtn.gif");
}

void FrmMain::ImgCopy_MouseDown()
{
    setCopyPicture(copyButtonPicture(true));
}

void FrmMain::ImgCopy_MouseUp()
{
    setCopyPicture(copyButtonPicture(false));
    if (state_.SendMode) {
        ShellLaunch(platform_.launcher, platform_.messages,
                    MailUrl::BuildMailUrl(currentMessage(), state_), LaunchFamily::MailProgram);
        return;
    }
    if (state_.CopyMsgShow)
        dialogs_.showCopyNotice(this);
    platform_.clipboard.clear();
    platform_.clipboard.setText(currentBox()->toPlainText());
}

void FrmMain::ImgClear_MouseDown()
{
    showPicture(ui_->ImgClear, QStringLiteral("ClearBtnDown.gif"));
}

void FrmMain::ImgClear_MouseUp()
{
    showPicture(ui_->ImgClear, QStringLiteral("ClearBtn.gif"));
    state_.ClearAnswer = true;
    if (state_.ClearMsgShow)
        dialogs_.askClear(this);
    if (!state_.ClearAnswer)
        return;
    ui_->txtEdit_8moji->setPlainText(QString());
    ui_->txtEdit_10moji->setPlainText(QString());
}

// --- The menu --------------------------------------------------------------

void FrmMain::mnuConfig_Click()
{
    dialogs_.showConfig(this, [this](const QString &fileName) { setCopyPicture(fileName); });
}

void FrmMain::mnuEnd_Click()
{
    close();
}

void FrmMain::mnuHelpMe_Click()
{
    HelpCommand::open(platform_.launcher, platform_.messages);
}

void FrmMain::mnuVersion_Click()
{
    dialogs_.showVersion(this);
}
