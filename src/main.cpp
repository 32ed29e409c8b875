#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Brimora 2.0"));
    window.resize(1035, 731);
    window.show();
    return app.exec();
}
