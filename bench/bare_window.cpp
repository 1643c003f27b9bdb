// The least a Qt Widgets program of the same shape costs: a main window whose
// client area is as large as the handset's, under a menu bar with two menus of
// the same titles, and nothing else. bench/run-benchmarks starts it beside
// larkpad to see what larkpad adds to Qt's own start and memory.
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare window"));
    auto *client = new QWidget(&window);
    client->setFixedSize(238, 527);
    window.setCentralWidget(client);
    QMenu *menu = window.menuBar()->addMenu(QStringLiteral("メニュー(&M)"));
    menu->addAction(QStringLiteral("設定(&C)..."));
    menu->addSeparator();
    menu->addAction(QStringLiteral("終了(&E)"), &window, &QWidget::close);
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->addAction(QStringLiteral("ヘルプ(&H)"));
    help->addAction(QStringLiteral("バージョン情報(&A)..."));
    window.show();
    return app.exec();
}
