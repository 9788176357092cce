// radioprog: programming software for the dual-band handheld radio.
#include <QApplication>

#include "shell/gui/radioprog_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("radioprog"));
    QApplication::setDesktopFileName(QStringLiteral("radioprog"));
    radioprog::CRadioProgApp app;
    if (!app.InitInstance()) return 1;
    return QApplication::exec();
}
