#include <QApplication>

#include "shell/ClientProgram.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return ClientProgram::Run(app);
}
