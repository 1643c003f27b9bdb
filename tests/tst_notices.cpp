#include "actions/frm_clear.h"
#include "actions/frm_copy.h"
#include "layouts/window_style.h"
#include "main_window/frm_over.h"
#include "modal_helpers.h"
#include "platform/fonts.h"
#include "settings/shared_state.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

class tst_Notices : public QObject {
    Q_OBJECT
public:
    enum class Notice { Over, Copy, Clear };
    Q_ENUM(Notice)
    // How the user ends a showing, after any Tab presses.
    enum class Way { ClickOk, ClickCancel, Enter, Space, CloseBox, Esc };
    Q_ENUM(Way)

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void closingWays_data();
    void closingWays();
    void checkBoxSwitchesNoticeOff_data();
    void checkBoxSwitchesNoticeOff();
    void checkBoxClearAtEachShowing_data();
    void checkBoxClearAtEachShowing();
    void texts_data();
    void texts();
    void fonts_data();
    void fonts();
    void colours_data();
    void colours();
    void captionsFitTheirBoxes_data();
    void captionsFitTheirBoxes();
    void clientAreaIsFixed_data();
    void clientAreaIsFixed();
    void focusAndDefaultButton_data();
    void focusAndDefaultButton();
    void titleBarAndTaskBar_data();
    void titleBarAndTaskBar();
    void firstPosition_data();
    void firstPosition();

private:
    std::unique_ptr<QDialog> make(Notice notice);
    // Shows the notice modally as the main window does, lets `user` act while
    // it is open, and returns once it has closed.
    void showModal(Notice notice, const std::function<void(QDialog *)> &user);
    bool &msgShowFlag(Notice notice);

    QWidget owner;
    SharedState state;
};

namespace {

// Keys go to the window, which hands them to its focused control, as typing does.
void type(QDialog *dialog, Qt::Key key)
{
    QTest::keyClick(dialog->windowHandle(), key);
}

QWidget *part(QDialog *dialog, const QString &name)
{
    return name.isEmpty() ? dialog : dialog->findChild<QWidget *>(name);
}

const QString FontFamily = QStringLiteral("ＭＳ ゴシック");

} // namespace

std::unique_ptr<QDialog> tst_Notices::make(Notice notice)
{
    switch (notice) {
    case Notice::Over:
        return std::make_unique<FrmOver>(&owner);
    case Notice::Copy:
        return std::make_unique<frmCopy>(state, &owner);
    case Notice::Clear:
        return std::make_unique<frmClear>(state, &owner);
    }
    Q_UNREACHABLE();
}

void tst_Notices::showModal(Notice notice, const std::function<void(QDialog *)> &user)
{
    const std::unique_ptr<QDialog> dialog = make(notice);
    bool active = false;
    whenModalOpens([&user, &active](QWidget *modal) {
        auto *open = qobject_cast<QDialog *>(modal);
        active = QTest::qWaitForWindowActive(open);
        if (active)
            user(open);
        // A failed case must not leave exec() waiting for ever.
        if (open->isVisible())
            open->done(QDialog::Rejected);
    });
    dialog->exec();
    QVERIFY2(active, "the notice did not become the active window");
}

bool &tst_Notices::msgShowFlag(Notice notice)
{
    return notice == Notice::Copy ? state.CopyMsgShow : state.ClearMsgShow;
}

void tst_Notices::initTestCase()
{
    registerJapaneseFontSubstitutes();
    // Off the middle of the screen, so that "centred on the owner" and
    // "centred on the screen" are told apart.
    owner.setGeometry(100, 100, 400, 300);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
}

void tst_Notices::init()
{
    // As the main window leaves it before showing a notice: every notice
    // wanted, and the clear answer switched on before asking.
    state = SharedState{};
    state.CopyMsgShow = true;
    state.ClearMsgShow = true;
    state.OverMsgShow = true;
    state.ClearAnswer = true;
}

void tst_Notices::cleanup()
{
    QVERIFY(noModalLeftOpen());
}

void tst_Notices::closingWays_data()
{
    QTest::addColumn<Notice>("notice");
    QTest::addColumn<int>("tabs");
    QTest::addColumn<Way>("way");
    QTest::addColumn<bool>("staysOpen");
    QTest::addColumn<bool>("clearAnswer");

    for (Notice notice : {Notice::Over, Notice::Copy}) {
        const QByteArray name = notice == Notice::Over ? "FrmOver" : "frmCopy";
        QTest::newRow(name + ": OK clicked") << notice << 0 << Way::ClickOk << false << true;
        QTest::newRow(name + ": Enter at once") << notice << 0 << Way::Enter << false << true;
        QTest::newRow(name + ": Space at once") << notice << 0 << Way::Space << false << true;
        QTest::newRow(name + ": close box") << notice << 0 << Way::CloseBox << false << true;
        QTest::newRow(name + ": Esc ignored") << notice << 0 << Way::Esc << true << true;
    }
    QTest::newRow("frmCopy: Enter on the check box, no default button")
        << Notice::Copy << 1 << Way::Enter << true << true;

    QTest::newRow("frmClear: 削除する clicked") << Notice::Clear << 0 << Way::ClickOk << false << true;
    QTest::newRow("frmClear: 削除しない clicked")
        << Notice::Clear << 0 << Way::ClickCancel << false << false;
    QTest::newRow("frmClear: Enter at once") << Notice::Clear << 0 << Way::Enter << false << false;
    QTest::newRow("frmClear: Space at once") << Notice::Clear << 0 << Way::Space << false << false;
    QTest::newRow("frmClear: close box") << Notice::Clear << 0 << Way::CloseBox << false << false;
    QTest::newRow("frmClear: Esc ignored") << Notice::Clear << 0 << Way::Esc << true << true;
    QTest::newRow("frmClear: Enter on the check box presses the default")
        << Notice::Clear << 1 << Way::Enter << false << false;
    QTest::newRow("frmClear: Enter on 削除する") << Notice::Clear << 2 << Way::Enter << false << true;
    QTest::newRow("frmClear: Space on 削除する") << Notice::Clear << 2 << Way::Space << false << true;
}

void tst_Notices::closingWays()
{
    QFETCH(Notice, notice);
    QFETCH(int, tabs);
    QFETCH(Way, way);
    QFETCH(bool, staysOpen);
    QFETCH(bool, clearAnswer);

    bool stayedOpen = false;
    bool answerWhileOpen = false;
    int finished = 0;
    showModal(notice, [&](QDialog *dialog) {
        connect(dialog, &QDialog::finished, dialog, [&finished] { ++finished; });
        for (int i = 0; i < tabs; ++i)
            type(dialog, Qt::Key_Tab);
        switch (way) {
        case Way::ClickOk:
            QTest::mouseClick(part(dialog, "cmdOK"), Qt::LeftButton);
            break;
        case Way::ClickCancel:
            QTest::mouseClick(part(dialog, "cmdCancel"), Qt::LeftButton);
            break;
        case Way::Enter:
            type(dialog, Qt::Key_Return);
            break;
        case Way::Space:
            type(dialog, Qt::Key_Space);
            break;
        case Way::CloseBox:
            // The window system's close request, as the title bar's close box sends it.
            dialog->windowHandle()->close();
            break;
        case Way::Esc:
            type(dialog, Qt::Key_Escape);
            break;
        }
        stayedOpen = dialog->isVisible();
        answerWhileOpen = state.ClearAnswer;
        if (stayedOpen)
            dialog->close();
    });

    QCOMPARE(stayedOpen, staysOpen);
    QCOMPARE(finished, 1);
    if (stayedOpen)
        QCOMPARE(answerWhileOpen, clearAnswer);
    else
        QCOMPARE(state.ClearAnswer, clearAnswer);
    // Only a check box changes the notices' own switches.
    QVERIFY(state.CopyMsgShow);
    QVERIFY(state.ClearMsgShow);
    QVERIFY(state.OverMsgShow);
}

void tst_Notices::checkBoxSwitchesNoticeOff_data()
{
    QTest::addColumn<Notice>("notice");
    QTest::addColumn<bool>("byKeyboard");
    QTest::addColumn<QList<bool>>("flagAfterEachClick");

    for (Notice notice : {Notice::Copy, Notice::Clear}) {
        const QByteArray name = notice == Notice::Copy ? "frmCopy" : "frmClear";
        for (bool byKeyboard : {false, true}) {
            const QByteArray how = byKeyboard ? " by Space" : " by mouse";
            QTest::newRow(name + ": checked" + how) << notice << byKeyboard << QList<bool>{false};
            QTest::newRow(name + ": checked and cleared" + how)
                << notice << byKeyboard << QList<bool>{false, true};
            QTest::newRow(name + ": checked, cleared, checked" + how)
                << notice << byKeyboard << QList<bool>{false, true, false};
        }
    }
}

void tst_Notices::checkBoxSwitchesNoticeOff()
{
    QFETCH(Notice, notice);
    QFETCH(bool, byKeyboard);
    QFETCH(QList<bool>, flagAfterEachClick);

    QList<bool> seen;
    showModal(notice, [&](QDialog *dialog) {
        QWidget *box = part(dialog, "ChkMsgShow");
        if (byKeyboard)
            type(dialog, Qt::Key_Tab);
        for (qsizetype i = 0; i < flagAfterEachClick.size(); ++i) {
            if (byKeyboard)
                type(dialog, Qt::Key_Space);
            else
                QTest::mouseClick(box, Qt::LeftButton);
            seen << msgShowFlag(notice);
        }
        dialog->close();
    });

    QCOMPARE(seen, flagAfterEachClick);
    QCOMPARE(msgShowFlag(notice), flagAfterEachClick.last());
}

void tst_Notices::checkBoxClearAtEachShowing_data()
{
    QTest::addColumn<Notice>("notice");
    QTest::newRow("frmCopy") << Notice::Copy;
    QTest::newRow("frmClear") << Notice::Clear;
}

void tst_Notices::checkBoxClearAtEachShowing()
{
    QFETCH(Notice, notice);

    auto box = [](QDialog *dialog) {
        return qobject_cast<QCheckBox *>(part(dialog, "ChkMsgShow"));
    };
    showModal(notice, [&](QDialog *dialog) {
        QTest::mouseClick(box(dialog), Qt::LeftButton);
        dialog->close();
    });
    QVERIFY(!msgShowFlag(notice));

    bool checkedAtOpen = true;
    showModal(notice, [&](QDialog *dialog) {
        checkedAtOpen = box(dialog)->isChecked();
        dialog->close();
    });
    QVERIFY(!checkedAtOpen);
    // Opening with a clear box does not switch the notice back on.
    QVERIFY(!msgShowFlag(notice));
}

void tst_Notices::texts_data()
{
    QTest::addColumn<Notice>("notice");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("text");

    QTest::newRow("FrmOver title") << Notice::Over << QString() << u"情報"_s;
    QTest::newRow("FrmOver Label1")
        << Notice::Over << u"Label1"_s
        << u"　200文字（半角）以上の場合は、無料で受信できない場合があります。"_s;
    QTest::newRow("FrmOver Label2")
        << Notice::Over << u"Label2"_s << u"　200文字以下におさめることをお勧めいたします。"_s;
    QTest::newRow("FrmOver Label3")
        << Notice::Over << u"Label3"_s << u"※詳細は、ヘルプの「メール豆知識」をご覧ください。"_s;
    QTest::newRow("FrmOver cmdOK") << Notice::Over << u"cmdOK"_s << u"OK"_s;

    QTest::newRow("frmCopy title") << Notice::Copy << QString() << u"コピー"_s;
    QTest::newRow("frmCopy Label1") << Notice::Copy << u"Label1"_s << u"クリップボードにコピーしました。"_s;
    QTest::newRow("frmCopy Label2")
        << Notice::Copy << u"Label2"_s
        << u"　お使いのメールソフトを起動し「貼り付け」を行ってご使用ください。"_s;
    QTest::newRow("frmCopy ChkMsgShow")
        << Notice::Copy << u"ChkMsgShow"_s << u"今後このメッセージを表示しない"_s;
    QTest::newRow("frmCopy cmdOK") << Notice::Copy << u"cmdOK"_s << u"OK"_s;

    QTest::newRow("frmClear title") << Notice::Clear << QString() << u"クリア"_s;
    QTest::newRow("frmClear Label1") << Notice::Clear << u"Label1"_s << u"文書を削除しますか？"_s;
    QTest::newRow("frmClear ChkMsgShow")
        << Notice::Clear << u"ChkMsgShow"_s << u"今後このメッセージを表示しない"_s;
    QTest::newRow("frmClear cmdOK") << Notice::Clear << u"cmdOK"_s << u"削除する"_s;
    QTest::newRow("frmClear cmdCancel") << Notice::Clear << u"cmdCancel"_s << u"削除しない"_s;
}

void tst_Notices::texts()
{
    QFETCH(Notice, notice);
    QFETCH(QString, widget);
    QFETCH(QString, text);

    const auto dialog = make(notice);
    QWidget *shown = part(dialog.get(), widget);
    QVERIFY(shown);
    QCOMPARE(widget.isEmpty() ? shown->windowTitle() : shown->property("text").toString(), text);
}

void tst_Notices::fonts_data()
{
    QTest::addColumn<Notice>("notice");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<qreal>("pointSize");

    QTest::newRow("FrmOver cmdOK") << Notice::Over << u"cmdOK"_s << 11.25;
    QTest::newRow("FrmOver Label3") << Notice::Over << u"Label3"_s << 9.0;
    QTest::newRow("FrmOver Label2") << Notice::Over << u"Label2"_s << 12.0;
    QTest::newRow("FrmOver Label1") << Notice::Over << u"Label1"_s << 12.0;
    QTest::newRow("frmCopy ChkMsgShow") << Notice::Copy << u"ChkMsgShow"_s << 9.75;
    QTest::newRow("frmCopy cmdOK") << Notice::Copy << u"cmdOK"_s << 11.25;
    QTest::newRow("frmCopy Label2") << Notice::Copy << u"Label2"_s << 11.25;
    QTest::newRow("frmCopy Label1") << Notice::Copy << u"Label1"_s << 11.25;
    QTest::newRow("frmClear window") << Notice::Clear << QString() << 12.0;
    QTest::newRow("frmClear ChkMsgShow") << Notice::Clear << u"ChkMsgShow"_s << 9.75;
    QTest::newRow("frmClear cmdCancel") << Notice::Clear << u"cmdCancel"_s << 11.25;
    QTest::newRow("frmClear cmdOK") << Notice::Clear << u"cmdOK"_s << 11.25;
    QTest::newRow("frmClear Label1, the window's") << Notice::Clear << u"Label1"_s << 12.0;
}

void tst_Notices::fonts()
{
    QFETCH(Notice, notice);
    QFETCH(QString, widget);
    QFETCH(qreal, pointSize);

    const auto dialog = make(notice);
    const QFont font = part(dialog.get(), widget)->font();
    QCOMPARE(font.family(), FontFamily);
    QCOMPARE(font.pointSizeF(), pointSize);
    QVERIFY(font.bold());
}

void tst_Notices::colours_data()
{
    QTest::addColumn<Notice>("notice");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QPalette::ColorRole>("role");
    QTest::addColumn<QColor>("colour");

    const QColor panel = WindowStyle::PanelColor;
    QTest::newRow("FrmOver background") << Notice::Over << QString() << QPalette::Window << panel;
    QTest::newRow("FrmOver Label3 text")
        << Notice::Over << u"Label3"_s << QPalette::WindowText << QColor(192, 0, 0);
    QTest::newRow("frmCopy background") << Notice::Copy << QString() << QPalette::Window << panel;
    QTest::newRow("frmCopy ChkMsgShow background")
        << Notice::Copy << u"ChkMsgShow"_s << QPalette::Window << panel;
    QTest::newRow("frmCopy Label1 text")
        << Notice::Copy << u"Label1"_s << QPalette::WindowText << QColor(255, 0, 0);
    QTest::newRow("frmClear background") << Notice::Clear << QString() << QPalette::Window << panel;
    QTest::newRow("frmClear ChkMsgShow background")
        << Notice::Clear << u"ChkMsgShow"_s << QPalette::Window << panel;
    QTest::newRow("frmClear Label1 text")
        << Notice::Clear << u"Label1"_s << QPalette::WindowText << QColor(255, 0, 0);
}

void tst_Notices::colours()
{
    QFETCH(Notice, notice);
    QFETCH(QString, widget);
    QFETCH(QPalette::ColorRole, role);
    QFETCH(QColor, colour);

    const auto dialog = make(notice);
    QWidget *coloured = part(dialog.get(), widget);
    QCOMPARE(coloured->palette().color(role), colour);
    if (role == QPalette::Window) {
        // The top-right corner is clear of the check box's mark and text.
        const QImage picture = coloured->grab().toImage();
        QCOMPARE(picture.pixelColor(picture.width() - 2, 1), colour);
    }
}

void tst_Notices::captionsFitTheirBoxes_data()
{
    QTest::addColumn<Notice>("notice");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("lines");

    QTest::newRow("FrmOver Label1") << Notice::Over << u"Label1"_s << 2;
    QTest::newRow("FrmOver Label2") << Notice::Over << u"Label2"_s << 1;
    QTest::newRow("FrmOver Label3") << Notice::Over << u"Label3"_s << 1;
    QTest::newRow("frmCopy Label1") << Notice::Copy << u"Label1"_s << 1;
    QTest::newRow("frmCopy Label2") << Notice::Copy << u"Label2"_s << 2;
    QTest::newRow("frmClear Label1") << Notice::Clear << u"Label1"_s << 1;
}

void tst_Notices::captionsFitTheirBoxes()
{
    QFETCH(Notice, notice);
    QFETCH(QString, label);
    QFETCH(int, lines);

    const auto dialog = make(notice);
    const auto *caption = dialog->findChild<QLabel *>(label);
    QVERIFY(caption->wordWrap());
    QVERIFY(!caption->autoFillBackground());
    QCOMPARE(caption->alignment() & Qt::AlignVertical_Mask, Qt::AlignTop);

    const QFontMetrics metrics(caption->font());
    const int needed = caption->heightForWidth(caption->width());
    QVERIFY2(needed <= caption->height(), qPrintable(QString::number(needed)));
    QCOMPARE(qRound(double(needed + metrics.leading()) / metrics.lineSpacing()), lines);
}

void tst_Notices::clientAreaIsFixed_data()
{
    QTest::addColumn<Notice>("notice");
    QTest::addColumn<QSize>("size");

    QTest::newRow("FrmOver") << Notice::Over << QSize(429, 151);
    QTest::newRow("frmCopy") << Notice::Copy << QSize(332, 176);
    QTest::newRow("frmClear") << Notice::Clear << QSize(345, 149);
}

void tst_Notices::clientAreaIsFixed()
{
    QFETCH(Notice, notice);
    QFETCH(QSize, size);

    const auto dialog = make(notice);
    QCOMPARE(dialog->size(), size);
    QCOMPARE(dialog->minimumSize(), size);
    QCOMPARE(dialog->maximumSize(), size);
}

void tst_Notices::focusAndDefaultButton_data()
{
    QTest::addColumn<Notice>("notice");
    QTest::addColumn<QStringList>("focusAtOpenThenAfterEachTab");
    QTest::addColumn<QString>("defaultButton");

    QTest::newRow("FrmOver") << Notice::Over << QStringList{u"cmdOK"_s, u"cmdOK"_s} << QString();
    QTest::newRow("frmCopy") << Notice::Copy
                             << QStringList{u"cmdOK"_s, u"ChkMsgShow"_s, u"cmdOK"_s} << QString();
    QTest::newRow("frmClear")
        << Notice::Clear
        << QStringList{u"cmdCancel"_s, u"ChkMsgShow"_s, u"cmdOK"_s, u"cmdCancel"_s}
        << u"cmdCancel"_s;
}

void tst_Notices::focusAndDefaultButton()
{
    QFETCH(Notice, notice);
    QFETCH(QStringList, focusAtOpenThenAfterEachTab);
    QFETCH(QString, defaultButton);

    QStringList focus;
    QStringList defaults;
    showModal(notice, [&](QDialog *dialog) {
        const auto buttons = dialog->findChildren<QPushButton *>();
        for (const QPushButton *button : buttons) {
            if (button->isDefault())
                defaults << button->objectName();
        }
        auto focusName = [dialog] {
            return dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
        };
        focus << focusName();
        while (focus.size() < focusAtOpenThenAfterEachTab.size()) {
            type(dialog, Qt::Key_Tab);
            focus << focusName();
        }
        dialog->close();
    });

    QCOMPARE(focus, focusAtOpenThenAfterEachTab);
    QCOMPARE(defaults, defaultButton.isEmpty() ? QStringList() : QStringList{defaultButton});
}

void tst_Notices::titleBarAndTaskBar_data()
{
    QTest::addColumn<Notice>("notice");
    QTest::addColumn<bool>("ownTaskBarButton");

    QTest::newRow("FrmOver") << Notice::Over << true;
    QTest::newRow("frmCopy") << Notice::Copy << false;
    QTest::newRow("frmClear") << Notice::Clear << false;
}

void tst_Notices::titleBarAndTaskBar()
{
    QFETCH(Notice, notice);
    QFETCH(bool, ownTaskBarButton);

    Qt::WindowFlags flags;
    bool hasIcon = false;
    bool modal = false;
    const QWindow *transientParent = nullptr;
    showModal(notice, [&](QDialog *dialog) {
        flags = dialog->windowFlags();
        hasIcon = !dialog->windowIcon().isNull();
        modal = dialog->isModal() && QApplication::activeModalWidget() == dialog;
        transientParent = dialog->windowHandle()->transientParent();
        dialog->close();
    });

    QVERIFY(modal);
    QVERIFY(hasIcon);
    QVERIFY(flags.testFlags(Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                            | Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testAnyFlags(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                                | Qt::WindowContextHelpButtonHint));
    // A dialog type or a transient parent keeps a window off the task bar.
    const Qt::WindowType kind = ownTaskBarButton ? Qt::Window : Qt::Dialog;
    QCOMPARE(Qt::WindowType(int(flags & Qt::WindowType_Mask)), kind);
    QCOMPARE(transientParent, ownTaskBarButton ? nullptr : owner.windowHandle());
}

void tst_Notices::firstPosition_data()
{
    QTest::addColumn<Notice>("notice");
    QTest::addColumn<bool>("onOwner");

    QTest::newRow("FrmOver: screen") << Notice::Over << false;
    QTest::newRow("frmCopy: screen") << Notice::Copy << false;
    QTest::newRow("frmClear: owner") << Notice::Clear << true;
}

void tst_Notices::firstPosition()
{
    QFETCH(Notice, notice);
    QFETCH(bool, onOwner);

    QPoint centre;
    showModal(notice, [&](QDialog *dialog) {
        centre = dialog->geometry().center();
        dialog->close();
    });

    // The client areas are centred, as QDialog centres a dialog on its owner.
    const QPoint expected = onOwner ? owner.geometry().center()
                                    : owner.screen()->availableGeometry().center();
    QVERIFY2((centre - expected).manhattanLength() <= 2,
             qPrintable(QStringLiteral("centre %1,%2").arg(centre.x()).arg(centre.y())));
}

QTEST_MAIN(tst_Notices)
#include "tst_notices.moc"
