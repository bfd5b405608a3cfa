// Lumora: does the Sun shine through my window, and when next?
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("Lumora"));
    w.show();
    return app.exec();
}
