#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel placeholder(QStringLiteral("Cindral 1.0v"));
    placeholder.show();
    return app.exec();
}
