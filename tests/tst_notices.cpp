#include "actions/frm_clear.h"
#include "actions/frm_copy.h"
#include "layouts/window_style.h"
#include "main_window/frm_over.h"
#include "modal_helpers.h"
#include "platform/fonts.h"
#include "settings/shared_state.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <QWindow>

class tst_Notices : public QObject {
    Q_OBJECT
public:
    enum class Notice { Over, Copy, Clear };
    Q_ENUM(Notice)

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup() { QVERIFY(noModalLeftOpen()); }

    void closing_data();
    void closing();
    void checkBox_data();
    void checkBox();
    void appearance_data();
    void appearance();

private:
    // Shows the notice modally, as the main window does, and lets `user` act
    // while it is open.
    void showModal(Notice notice, const std::function<void(QDialog *)> &user);

    QWidget owner;
    SharedState state;
};

void tst_Notices::showModal(Notice notice, const std::function<void(QDialog *)> &user)
{
    std::unique_ptr<QDialog> dialog;
    switch (notice) {
    case Notice::Over: dialog = std::make_unique<FrmOver>(&owner); break;
    case Notice::Copy: dialog = std::make_unique<frmCopy>(state, &owner); break;
    case Notice::Clear: dialog = std::make_unique<frmClear>(state, &owner); break;
    }
    bool active = false;
    whenModalOpens([&](QWidget *modal) {
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

void tst_Notices::initTestCase()
{
    // The captions must fit with the fonts that stand in for the Windows ones.
    registerJapaneseFontSubstitutes();
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
}

void tst_Notices::init()
{
    // As the main window leaves it before showing a notice.
    state = SharedState{};
    state.CopyMsgShow = state.ClearMsgShow = state.OverMsgShow = state.ClearAnswer = true;
}

void tst_Notices::closing_data()
{
    QTest::addColumn<Notice>("notice");
    QTest::addColumn<QStringList>("steps"); // a button's name, "Enter", "Esc" or "close"
    QTest::addColumn<bool>("clearAnswer");

    for (auto [notice, name] : {std::pair{Notice::Over, "FrmOver"}, std::pair{Notice::Copy, "frmCopy"}}) {
        QTest::addRow("%s: OK", name) << notice << QStringList{"cmdOK"} << true;
        QTest::addRow("%s: Enter at open", name) << notice << QStringList{"Enter"} << true;
        QTest::addRow("%s: close box", name) << notice << QStringList{"close"} << true;
        QTest::addRow("%s: Esc ignored, then OK", name) << notice << QStringList{"Esc", "cmdOK"} << true;
    }
    QTest::newRow("frmClear: 削除する") << Notice::Clear << QStringList{"cmdOK"} << true;
    QTest::newRow("frmClear: 削除しない") << Notice::Clear << QStringList{"cmdCancel"} << false;
    QTest::newRow("frmClear: Enter at open is 削除しない") << Notice::Clear << QStringList{"Enter"} << false;
    QTest::newRow("frmClear: close box keeps the text") << Notice::Clear << QStringList{"close"} << false;
    QTest::newRow("frmClear: Esc ignored, then 削除する") << Notice::Clear << QStringList{"Esc", "cmdOK"} << true;
}

void tst_Notices::closing()
{
    QFETCH(Notice, notice);
    QFETCH(QStringList, steps);
    QFETCH(bool, clearAnswer);

    QList<bool> openAfterEachStep;
    showModal(notice, [&](QDialog *dialog) {
        for (const QString &step : steps) {
            // Keys go to the window, which hands them to its focused control, as typing does.
            if (step == u"Enter" || step == u"Esc")
                QTest::keyClick(dialog->windowHandle(), step == u"Enter" ? Qt::Key_Return : Qt::Key_Escape);
            else if (step == u"close") // the window system's request, as from the close box
                dialog->windowHandle()->close();
            else
                QTest::mouseClick(dialog->findChild<QWidget *>(step), Qt::LeftButton);
            openAfterEachStep << dialog->isVisible();
        }
    });

    QCOMPARE(openAfterEachStep, QList<bool>(steps.size() - 1, true) << false);
    QCOMPARE(state.ClearAnswer, clearAnswer);
    // Closing alone never switches a notice off.
    QVERIFY(state.CopyMsgShow && state.ClearMsgShow && state.OverMsgShow);
}

void tst_Notices::checkBox_data()
{
    QTest::addColumn<Notice>("notice");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<bool>("shown"); // whether the notice shows next time

    QTest::newRow("frmCopy: checked") << Notice::Copy << 1 << false;
    QTest::newRow("frmCopy: checked and cleared") << Notice::Copy << 2 << true;
    QTest::newRow("frmClear: checked") << Notice::Clear << 1 << false;
    QTest::newRow("frmClear: checked and cleared") << Notice::Clear << 2 << true;
}

void tst_Notices::checkBox()
{
    QFETCH(Notice, notice);
    QFETCH(int, clicks);
    QFETCH(bool, shown);

    const bool &flag = notice == Notice::Copy ? state.CopyMsgShow : state.ClearMsgShow;
    bool flagWhileOpen = !shown;
    showModal(notice, [&](QDialog *dialog) {
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(dialog->findChild<QCheckBox *>("ChkMsgShow"), Qt::LeftButton);
        // At once, since the notice may then be closed any way.
        flagWhileOpen = flag;
        dialog->close();
    });
    QCOMPARE(flagWhileOpen, shown);
    QCOMPARE(flag, shown);

    bool checkedAtOpen = true;
    showModal(notice, [&](QDialog *dialog) {
        checkedAtOpen = dialog->findChild<QCheckBox *>("ChkMsgShow")->isChecked();
        dialog->close();
    });
    QVERIFY(!checkedAtOpen);
    QCOMPARE(flag, shown);
}

void tst_Notices::appearance_data()
{
    QTest::addColumn<Notice>("notice");
    QTest::addColumn<bool>("ownTaskBarButton");

    QTest::newRow("FrmOver") << Notice::Over << true;
    QTest::newRow("frmCopy") << Notice::Copy << false;
    QTest::newRow("frmClear") << Notice::Clear << false;
}

void tst_Notices::appearance()
{
    QFETCH(Notice, notice);
    QFETCH(bool, ownTaskBarButton);

    showModal(notice, [&](QDialog *dialog) {
        // A dialog type or a transient parent keeps a window off the task bar.
        QCOMPARE(dialog->windowType() == Qt::Window, ownTaskBarButton);
        QCOMPARE(dialog->windowHandle()->transientParent(),
                 ownTaskBarButton ? nullptr : owner.windowHandle());
        QCOMPARE(dialog->palette().color(dialog->backgroundRole()), WindowStyle::PanelColor);
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                     qPrintable(label->objectName() + QStringLiteral(" is cut off")));
        dialog->close();
    });
}

QTEST_MAIN(tst_Notices)
#include "tst_notices.moc"
