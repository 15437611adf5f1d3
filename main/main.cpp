#include <QApplication>

#include "main/form1.h"

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltrano"));

    Form1 window;
    window.show();
    return QApplication::exec();
}
