#include "app/Program.h"
#include "app/ProgramFonts.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    ProgramFonts::ChooseConfiguration();
    QApplication application(argc, argv);
    PrepareApplication(QApplication::applicationDirPath());
    Program program;
    program.Start();
    return application.exec();
}
