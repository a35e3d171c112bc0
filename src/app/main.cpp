#include "app/Program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    PrepareApplication(QApplication::applicationDirPath());
    Program program;
    program.Start();
    return application.exec();
}
